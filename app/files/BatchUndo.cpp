#include "app/files/BatchUndo.h"

#include <QApplication>
#include <algorithm>

#include "app/common/BatchJournal.h"
#include "app/common/MessageService.h"
#include "app/files/RestoreBatch.h"

namespace trackdeck::files {

namespace {

// The most files the end message names; a longer list would not fit a screen.
constexpr int NamedFiles = 20;

QString KindName(BatchKind kind) {
    switch (kind) {
        case BatchKind::TagsFromNames:
            return QString::fromUtf8("Dateiname > ID3-TAG");
        case BatchKind::NamesFromTags:
            return QString::fromUtf8("ID3-TAG > Dateiname");
        case BatchKind::Move:
            return QString::fromUtf8("Umbewegen");
    }
    return {};
}

QString Files(qsizetype count) {
    return count == 1 ? QString::fromUtf8("1 Datei") : QString::number(count) + " Dateien";
}

QString Question(const BatchRecord& batch) {
    const QDateTime started = batch.Started.toLocalTime();
    QString text = QString::fromUtf8(
                       "Letzte Stapelaktion rückgängig machen?\n\n„%1“ mit %2, am %3 "
                       "um %4 Uhr.")
                       .arg(KindName(batch.Kind), Files(FilesToUndo(batch)),
                            started.toString("dd.MM.yyyy"), started.toString("HH:mm"));
    if (!batch.Finished)
        text += QString::fromUtf8(
            "\nDie Aktion wurde nicht zu Ende geführt: zurückgenommen "
            "wird, was sie erledigt hat.");
    return text;
}

QString EndMessage(const RestoreOutcome& outcome) {
    QString text = QString::fromUtf8("%1 wiederhergestellt.").arg(Files(outcome.Restored));
    if (outcome.LeftAlone.empty()) return text;
    text += QString::fromUtf8("\n\nUnverändert gelassen:");
    const auto named = std::min<qsizetype>(qsizetype(outcome.LeftAlone.size()), NamedFiles);
    for (qsizetype i = 0; i < named; ++i) {
        const LeftAloneFile& file = outcome.LeftAlone[size_t(i)];
        text += "\n" + file.Name + " (" + file.Reason + ")";
    }
    if (qsizetype(outcome.LeftAlone.size()) > named)
        text += QString::fromUtf8("\n… und %1 weitere")
                    .arg(qsizetype(outcome.LeftAlone.size()) - named);
    return text;
}

}  // namespace

BatchUndo::BatchUndo(AppState& state, browser::Panes& panes, player::PlayerPanel& player,
                     tags::TagArea& tagArea, QObject* parent)
    : QObject(parent), m_state(state), m_panes(panes), m_player(player), m_tagArea(tagArea) {}

bool BatchUndo::Available() { return LastUndoableBatch().has_value(); }

void BatchUndo::Run() {
    const std::optional<BatchRecord> batch = LastUndoableBatch();
    if (!batch) {
        ShowMessage(QString::fromUtf8("Es gibt keine Stapelaktion, die rückgängig gemacht werden "
                                      "kann...   "),
                    MessageKind::Information);
        return;
    }
    if (Ask(Question(*batch), MessageKind::Question, Answer::Yes) != Answer::Yes) return;
    m_player.Stop(player::PlayerPanel::Wait::ForThread);
    // An edit pending in the tag area is the user's newest work: written first, so
    // its file counts as changed since the batch and is left alone.
    m_tagArea.SettlePendingTag();
    m_state.CurrentFile.clear();
    m_tagArea.ClearFields();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const RestoreOutcome outcome = RestoreBatch(*batch);
    QApplication::restoreOverrideCursor();
    m_tagArea.Reset();
    m_panes.RefreshPane(1);
    m_panes.RefreshPane(2);
    ShowMessage(EndMessage(outcome),
                outcome.LeftAlone.empty() ? MessageKind::Information : MessageKind::Exclamation);
}

}  // namespace trackdeck::files
