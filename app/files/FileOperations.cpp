#include "app/files/FileOperations.h"

#include <QFileInfo>

#include "app/common/ActivePane.h"
#include "app/common/BatchJournal.h"
#include "app/common/FitNamesToTarget.h"
#include "app/common/MessageService.h"
#include "app/common/PathHelpers.h"
#include "app/common/SameFolder.h"
#include "app/common/StartBatchJournal.h"
#include "app/files/Confirmations.h"
#include "app/files/CreatePath.h"
#include "app/files/DeleteFile.h"
#include "app/files/FailedFiles.h"
#include "app/files/FileCopy.h"
#include "app/files/FileOperationTexts.h"
#include "app/files/NewOrdner.h"
#include "app/files/TransferProgress.h"

namespace trackdeck::files {

FileOperations::FileOperations(QWidget& focusHolder, AppState& state, browser::Panes& panes,
                               player::PlayerPanel& player, tags::TagArea& tagArea, QObject* parent)
    : QObject(parent),
      m_focusHolder(focusHolder),
      m_state(state),
      m_panes(panes),
      m_player(player),
      m_tagArea(tagArea) {}

FileOperations::~FileOperations() = default;

QStringList FileOperations::MarkedEntries() {
    // A later click in a list must bring its focus event, which makes the pane active.
    m_focusHolder.setFocus();
    const QListWidget* list = ActiveList(m_panes.Lists(), m_state);
    QStringList entries;
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->isSelected()) entries.append(list->item(row)->text());
    return entries;
}

QString FileOperations::CurrentEntry() const {
    const QListWidget* list = ActiveList(m_panes.Lists(), m_state);
    if (const QListWidgetItem* current = list->currentItem()) return current->text();
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void FileOperations::ReadPanePaths() {
    m_state.PathA = AddBackslash(m_panes.Pane(1).File->Path());
    m_state.PathB = AddBackslash(m_panes.Pane(2).File->Path());
}

bool FileOperations::MayTransfer(bool confirm, const char* ontoItself, const QString& question) {
    ReadPanePaths();
    const bool same = SameFolder(m_state.PathA, m_state.PathB);
    if (confirm) {
        if (same) {
            ShowMessage(QString::fromUtf8(ontoItself), MessageKind::Exclamation);
            return false;
        }
        if (!Confirm(question)) return false;
    }
    return !same;
}

void FileOperations::Copy() {
    const QStringList entries = MarkedEntries();
    if (entries.isEmpty()) return;
    ReadPanePaths();
    const QString target = OtherPath(m_state);
    if (!MayTransfer(m_state.ConfirmCopy, texts::CopyOntoItself,
                     CopyQuestion(entries.size(), CurrentEntry(), target)))
        return;
    const std::optional<QStringList> names = NamesForTarget(entries, target);
    if (!names) return;
    m_player.Stop(player::PlayerPanel::Wait::ForThread);
    // The shown file stays where it is, so the tag fields keep showing it.
    m_tagArea.SettlePendingTag();
    const QString& source = ActivePath(m_state);
    FailedFiles failed;
    {
        // Gone before the failures are said.
        TransferProgress progress(m_state.Caption, QString::fromUtf8(texts::Copying),
                                  entries.size(), m_progressDelay);
        for (qsizetype i = 0; i < entries.size() && progress.Next(i, entries[i]); ++i) {
            if ((*names)[i].isEmpty()) continue;
            const CopyOutcome copied = CopyFileReplacing(source + entries[i], target + (*names)[i]);
            if (copied.Value == CopyResult::Failed) failed.Add(entries[i], copied.Error);
        }
    }
    m_panes.RefreshPane(OtherPane(ActivePane(m_state)));
    failed.Say(QString::fromUtf8(texts::To) + target, "kopiert");
}

void FileOperations::Move() {
    const QStringList entries = MarkedEntries();
    if (entries.isEmpty()) return;
    ReadPanePaths();
    const QString target = OtherPath(m_state);
    if (!MayTransfer(m_state.ConfirmMove, texts::MoveOntoItself,
                     MoveQuestion(entries.size(), CurrentEntry(), target)))
        return;
    const std::optional<QStringList> names = NamesForTarget(entries, target);
    if (!names) return;
    m_player.Stop(player::PlayerPanel::Wait::ForThread);
    m_tagArea.SettlePendingTag();
    const QString& source = ActivePath(m_state);
    // A move of several files can be undone; the journal is written after the
    // pending edit, so it holds the files as they are moved.
    std::vector<PlannedChange> plan;
    for (qsizetype i = 0; i < entries.size(); ++i)
        if (!(*names)[i].isEmpty()) plan.push_back({source + entries[i], target + (*names)[i]});
    JournalWriter journal;
    if (plan.size() >= 2 && !StartBatchJournal(journal, BatchKind::Move, plan)) return;
    m_state.CurrentFile.clear();
    m_tagArea.ClearFields();
    // A file whose name is taken in the target folder stays where it is.
    FailedFiles failed;
    {
        TransferProgress progress(m_state.Caption, QString::fromUtf8(texts::Moving),
                                  qsizetype(plan.size()), m_progressDelay);
        for (size_t i = 0; i < plan.size(); ++i) {
            const QString entry = QFileInfo(plan[i].OldPath).fileName();
            if (!progress.Next(qsizetype(i), entry)) break;
            const MoveOutcome moved =
                MoveFileNoReplace(plan[i].OldPath, plan[i].NewPath, m_moveSteps);
            if (moved.Value == MoveResult::Failed) failed.Add(entry, moved.Error);
            if (moved.Value == MoveResult::Moved && !journal.Changed(qsizetype(i))) break;
        }
    }
    journal.Finish();
    m_tagArea.Reset();
    m_panes.RefreshPane(1);
    m_panes.RefreshPane(2);
    failed.Say(QString::fromUtf8(texts::To) + target, "bewegt");
}

void FileOperations::Delete() {
    const QStringList entries = MarkedEntries();
    if (entries.isEmpty()) return;
    if (m_state.ConfirmDelete && !Confirm(DeleteQuestion(entries.size(), CurrentEntry()))) return;
    m_player.Stop(player::PlayerPanel::Wait::ForThread);
    // The edited file may be one of those going: its pending edit is dropped.
    m_state.TagModified = false;
    const int pane = ActivePane(m_state);
    const QString folder = PanePath(m_state, pane);
    FailedFiles failed;
    for (const QString& entry : entries) {
        if (MoveToTrash(folder + entry)) continue;
        // Never for good without asking: the trash is how a person gets a file back.
        if (Ask(DeleteForGoodQuestion(entry), MessageKind::Exclamation, Answer::No) != Answer::Yes)
            continue;
        if (const int error = DeleteForGood(folder + entry)) failed.Add(entry, error);
    }
    m_panes.RefreshPane(pane);
    m_tagArea.Reset();
    failed.Say({}, QString::fromUtf8("gelöscht"));
}

void FileOperations::NewFolder() {
    m_focusHolder.setFocus();
    if (!m_newOrdner) {
        m_newOrdner = std::make_unique<NewOrdner>();
        connect(m_newOrdner->Command2, &QPushButton::clicked, this, &FileOperations::CreateFolder);
    }
    m_newOrdner->Load();
}

void FileOperations::CreateFolder() {
    const QString name = m_newOrdner->Text1->text();
    if (name.isEmpty()) {
        m_newOrdner->Text1->setFocus();
        return;
    }
    m_state.PathA = AddBackslash(m_panes.Pane(1).Dir->Path());
    m_state.PathB = AddBackslash(m_panes.Pane(2).Dir->Path());
    const int pane = ActivePane(m_state);
    (void)CreatePath(PanePath(m_state, pane) + name);
    // The trees show the new folders: the active one, and the other when it shows the same folder.
    for (int tree : {pane, OtherPane(pane)}) {
        if (tree != pane && !SameFolder(m_state.PathA, m_state.PathB)) continue;
        const browser::PaneWidgets& widgets = m_panes.Pane(tree);
        widgets.Dir->SetPath(widgets.Drive->Drive(), widgets.Dir->Path());
    }
    m_newOrdner->close();
}

}  // namespace trackdeck::files
