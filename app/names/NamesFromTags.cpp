#include "app/names/NamesFromTags.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>

#include "app/common/ActivePane.h"
#include "app/common/BatchJournal.h"
#include "app/common/FitNamesToTarget.h"
#include "app/common/MarkedFiles.h"
#include "app/common/MessageService.h"
#include "app/common/PathHelpers.h"
#include "app/common/RenameNoReplace.h"
#include "app/common/StartBatchJournal.h"
#include "app/common/WindowHelpers.h"
#include "app/names/BuildName.h"
#include "app/names/ParseFileName.h"
#include "app/names/PatternFields.h"
#include "app/tags/TagFields.h"

namespace trackdeck::names {

namespace {

const char* const NoTag = "Kein TAG vorhanden...   ";

}  // namespace

NamesFromTags::NamesFromTags(QWidget& mainWindow, QWidget& focusHolder, AppState& state,
                             browser::Panes& panes, player::PlayerPanel& player,
                             tags::TagArea& tagArea, QObject* parent)
    : QObject(parent),
      m_mainWindow(mainWindow),
      m_focusHolder(focusHolder),
      m_state(state),
      m_panes(panes),
      m_player(player),
      m_tagArea(tagArea) {}

NamesFromTags::~NamesFromTags() {
    // Destroying the window sends it events (hide, close) when it is no longer a
    // Rename: they must not reach this filter.
    if (m_window) {
        m_window->removeEventFilter(this);
        m_window->Text1->removeEventFilter(this);
    }
}

bool NamesFromTags::SeveralFiles() const { return m_state.SelectedMp3Count >= 2; }

void NamesFromTags::Start() {
    m_focusHolder.setFocus();
    CountMarked(*ActiveList(m_panes.Lists(), m_state), m_state);
    if (m_state.SelectedWavCount == 0 && m_state.SelectedMp3Count == 0) return;
    if (m_state.SelectedWavCount > 0 && m_state.SelectedMp3Count > 0) {
        ShowMessage(QString::fromUtf8("MP3-Dateien und WAV-Dateien können nicht gemeinsam "
                                      "umbenannt werden...   "),
                    MessageKind::Information);
        return;
    }
    if (m_state.SelectedWavCount >= 2) {
        ShowMessage(QString::fromUtf8("WAV-Dateien können nur einzeln umbenannt werden...   "),
                    MessageKind::Information);
        return;
    }
    m_player.Stop(player::PlayerPanel::Wait::ForThread);
    // A pending edit belongs to the file under its present name: written first.
    m_tagArea.SettlePendingTag();
    const QString entry = FirstMarked(*ActiveList(m_panes.Lists(), m_state),
                                      m_state.SelectedWavCount == 1 ? "wav" : "mp3");
    m_file = ActivePath(m_state) + entry;
    Create();
    Rename& w = *m_window;
    if (m_state.SelectedWavCount == 1) {
        w.Picture2->hide();
        w.Frame2->hide();
        w.Label2->setText(QString::fromUtf8("Dateiname ändern"));
        w.Label1->setText(".wav");
    } else if (!SeveralFiles()) {
        w.Picture2->hide();
        w.Option2->setText("Name aus ID3-TAG holen");
        w.Label2->setText(QString::fromUtf8("Dateiname ändern"));
        w.Label1->setText(".mp3");
    } else {
        w.Option2->setText("Namen aus ID3-TAGs holen");
        w.Label2->setText(QString::fromUtf8("Dateinamen ändern"));
        w.Label1->setText(".mp3");
        w.Text1->setText(FieldArtist + DefaultSeparator + FieldTitle);
    }
    if (!SeveralFiles()) {
        QString present = entry;
        present.chop(4);  // the extension with its dot
        w.Text1->setText(present);
        w.Text2->setText(w.Text1->text());
    }
    // The buttons sit right below what is shown.
    w.PlaceFrame1(w.Picture2->isHidden() ? Rename::Frame1TopTyped : Rename::Frame1TopWithPattern);
    SetDefaultPattern();
    w.show();
    CenterForm(w);
    if (!SeveralFiles() && CurrentFileHasTag()) Preview();
    m_mainWindow.setEnabled(false);
}

void NamesFromTags::Create() {
    m_window = std::make_unique<Rename>();
    Rename& w = *m_window;
    connect(w.Option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on) TypedChosen();
    });
    connect(w.Option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on) BuiltChosen();
    });
    for (size_t i = 0; i < w.Checks.size(); ++i)
        connect(w.Checks[i], &QCheckBox::clicked, this,
                [this, i](bool checked) { CheckClicked(static_cast<int>(i), checked); });
    connect(w.Command3, &QPushButton::clicked, this, &NamesFromTags::New);
    connect(w.Command1, &QPushButton::clicked, this, &NamesFromTags::Apply);
    connect(w.Command2, &QPushButton::clicked, this, &NamesFromTags::CloseWindow);
    w.installEventFilter(this);
    w.Text1->installEventFilter(this);
    // Pasted text passes no key filter: the same characters go.
    connect(w.Text1, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString allowed = WithoutDiscardedKeys(text);
        if (allowed != text) m_window->Text1->setText(allowed);
    });
}

bool NamesFromTags::eventFilter(QObject* watched, QEvent* event) {
    if (!m_window) return false;
    // Closed by the window system rather than a button: the main window works again.
    if (watched == m_window.get() && event->type() == QEvent::Close) m_mainWindow.setEnabled(true);
    if (watched != m_window->Text1 || event->type() != QEvent::KeyPress) return false;
    const QString text = static_cast<QKeyEvent*>(event)->text();
    return !text.isEmpty() && IsDiscardedNameKey(text.front());
}

QStringList NamesFromTags::Pattern() const {
    QStringList pattern;
    for (int i = 0; i < m_window->ErkennListe->count(); ++i)
        pattern << m_window->ErkennListe->item(i)->text();
    return pattern;
}

void NamesFromTags::SetDefaultPattern() {
    for (size_t i = 0; i < m_window->Checks.size(); ++i) m_window->Checks[i]->setChecked(i < 2);
    m_window->ErkennListe->clear();
    m_window->ErkennListe->addItems(DefaultPattern());
}

bool NamesFromTags::CurrentFileHasTag() {
    TagFields fields;
    if (tags::LoadCleanTag(m_file, fields)) return true;
    ShowMessage(NoTag, MessageKind::Exclamation);
    m_window->Option1->setChecked(true);
    m_window->Text1->setFocus();
    return false;
}

void NamesFromTags::Preview() {
    const QListWidget* list = ActiveList(m_panes.Lists(), m_state);
    int number = 0;
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->isSelected()) number = row + 1;
    TagFields fields;
    if (!tags::LoadCleanTag(m_file, fields)) return;
    m_window->Text1->setText(CleanFileName(
        BuildNameFromTag(fields.Artist, fields.Title, fields.Album, number, Pattern())));
}

void NamesFromTags::TypedChosen() {
    m_window->Text1->setText(m_window->Text2->text());
    m_window->Picture2->hide();
    m_window->PlaceFrame1(Rename::Frame1TopTyped);
}

void NamesFromTags::BuiltChosen() {
    SetDefaultPattern();
    if (!SeveralFiles()) {
        if (!CurrentFileHasTag()) return;
        Preview();
    } else {
        m_window->Text1->setText(FieldArtist + DefaultSeparator + FieldTitle);
    }
    m_window->Picture2->show();
    m_window->PlaceFrame1(Rename::Frame1TopWithPattern);
}

void NamesFromTags::CheckClicked(int index, bool checked) {
    static const QString fields[] = {FieldArtist, FieldTitle, FieldAlbum, FieldNumber};
    if (!checked || m_window->ErkennListe->count() >= MaxPatternEntries) return;
    m_window->ErkennListe->addItem(fields[index]);
    if (!SeveralFiles())
        Preview();
    else
        m_window->Text1->setText(Pattern().join(DefaultSeparator));
}

void NamesFromTags::New() {
    for (QCheckBox* box : m_window->Checks) box->setChecked(false);
    m_window->Text1->clear();
    m_window->Checks[0]->setFocus();
    m_window->ErkennListe->clear();
}

void NamesFromTags::Apply() {
    Rename& w = *m_window;
    if (w.Text1->text().isEmpty()) {
        w.Text1->setFocus();
        return;
    }
    const QString folder = ActivePath(m_state);
    if (!SeveralFiles()) {
        const QString extension = m_state.SelectedWavCount == 1 ? ".wav" : ".mp3";
        // Abbrechen leaves the window open for another name.
        const std::optional<QStringList> fitted =
            NamesForTarget({w.Text1->text() + extension}, folder);
        if (!fitted) return;
        const QString newName = fitted->front();
        if (!newName.isEmpty() && m_file.compare(folder + newName, Qt::CaseInsensitive) != 0) {
            const RenameOutcome renamed = RenameNoReplace(m_file, folder + newName);
            if (renamed.Value != RenameResult::Renamed)
                ShowMessage(RenameFailureText(QFileInfo(m_file).fileName(), newName, renamed.Error),
                            MessageKind::Exclamation);
        }
    } else {
        if (w.ErkennListe->count() == 0 || !RenameMarked()) return;
    }
    m_panes.RefreshPane(ActivePane(m_state));
    m_tagArea.Reset();
    CloseWindow();
}

bool NamesFromTags::RenameMarked() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString folder = ActivePath(m_state);
    const QStringList pattern = Pattern();
    const QListWidget* list = ActiveList(m_panes.Lists(), m_state);
    // Every new name is known before the first rename, so the drive's refusals are
    // asked about once, before anything is renamed.
    QStringList oldNames;
    QStringList newNames;
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem* item = list->item(row);
        if (!item->isSelected() || EndsIn(item->text(), "wav")) continue;
        TagFields fields;
        if (!tags::LoadCleanTag(folder + item->text(), fields)) continue;
        const QString name = CleanFileName(
            BuildNameFromTag(fields.Artist, fields.Title, fields.Album, row + 1, pattern));
        if (name.isEmpty()) continue;
        oldNames.append(item->text());
        newNames.append(name + ".mp3");
    }
    QApplication::restoreOverrideCursor();
    const std::optional<QStringList> fitted = NamesForTarget(newNames, folder);
    if (!fitted) return false;
    std::vector<PlannedChange> plan;
    for (qsizetype i = 0; i < oldNames.size(); ++i)
        if (!(*fitted)[i].isEmpty()) plan.push_back({folder + oldNames[i], folder + (*fitted)[i]});
    JournalWriter journal;
    if (!StartBatchJournal(journal, BatchKind::NamesFromTags, plan)) return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (size_t i = 0; i < plan.size(); ++i) {
        // The first file of a name gets it; RenameNoReplace keeps any later one too.
        if (FileExists(plan[i].NewPath)) continue;
        if (RenameNoReplace(plan[i].OldPath, plan[i].NewPath) == RenameResult::Renamed &&
            !journal.Changed(qsizetype(i)))
            break;
    }
    journal.Finish();
    QApplication::restoreOverrideCursor();
    return true;
}

void NamesFromTags::CloseWindow() {
    m_mainWindow.setEnabled(true);
    m_window->close();
    // Deleted later: this runs inside one of the window's own buttons.
    m_window.release()->deleteLater();
}

}  // namespace trackdeck::names
