#include "app/files/FileOperations.h"

#include "app/common/ControlEventPump.h"
#include "app/common/MessageService.h"
#include "app/common/PathHelpers.h"
#include "app/common/SameFolder.h"
#include "app/files/Confirmations.h"
#include "app/files/CreatePath.h"
#include "app/files/DeleteFile.h"
#include "app/files/FileCopy.h"
#include "app/files/FileOperationTexts.h"
#include "app/files/NewOrdner.h"
#include "app/files/TransferProgress.h"
#include "app/player/PlayerPanel.h"
#include "app/shell/frmDeck.h"
#include "app/tags/TagArea.h"
#include "host/AurionMembers.h"

namespace trackdeck::files {

FileOperations::FileOperations(frmDeck& form, AppState& state)
    : QObject(&form), m_form(form), m_state(state) {}

FileOperations::~FileOperations() = default;

int FileOperations::ActivePane() const { return m_state.ActivePane == 2 ? 2 : 1; }

QStringList FileOperations::MarkedEntries() {
    // A later click in a list must bring its focus event, which makes the pane active.
    m_form.Command1->setFocus();
    const QListWidget* list = m_form.PaneSet().Pane(ActivePane()).List;
    QStringList entries;
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->isSelected()) entries.append(list->item(row)->text());
    return entries;
}

QString FileOperations::CurrentEntry() const {
    const QListWidget* list = m_form.PaneSet().Pane(ActivePane()).List;
    if (const QListWidgetItem* current = list->currentItem()) return current->text();
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void FileOperations::ReadPanePaths() {
    m_state.PathA = AddBackslash(m_form.File1->Path());
    m_state.PathB = AddBackslash(m_form.File2->Path());
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
    const QString& target = ActivePane() == 2 ? m_state.PathA : m_state.PathB;
    if (!MayTransfer(m_state.ConfirmCopy, texts::CopyOntoItself,
                     CopyQuestion(entries.size(), CurrentEntry(), target)))
        return;
    m_form.Player().Stop(player::PlayerPanel::Wait::ForThread);
    // The shown file stays where it is, so the tag fields keep showing it.
    m_form.TagAreaPart().SettlePendingTag();
    const QString& source = ActivePane() == 2 ? m_state.PathB : m_state.PathA;
    TransferProgress progress(m_state.Caption, QString::fromUtf8(texts::Copying), entries.size(),
                              m_progressDelay);
    for (qsizetype i = 0; i < entries.size() && progress.Next(i, entries[i]); ++i)
        (void)CopyFileReplacing(source + entries[i], target + entries[i]);
    m_form.PaneSet().RefreshPane(OtherPane());
}

void FileOperations::Move() {
    const QStringList entries = MarkedEntries();
    if (entries.isEmpty()) return;
    ReadPanePaths();
    const QString& target = ActivePane() == 2 ? m_state.PathA : m_state.PathB;
    if (!MayTransfer(m_state.ConfirmMove, texts::MoveOntoItself,
                     MoveQuestion(entries.size(), CurrentEntry(), target)))
        return;
    m_form.Player().Stop(player::PlayerPanel::Wait::ForThread);
    m_form.TagAreaPart().SettlePendingTag();
    m_state.CurrentFile.clear();
    for (QLineEdit* field : {m_form.Text1, m_form.Text2, m_form.Text3, m_form.Text5, m_form.Text6,
                             m_form.Text8, m_form.Text9})
        field->clear();
    const QString& source = ActivePane() == 2 ? m_state.PathB : m_state.PathA;
    // A file whose name is taken in the target folder stays where it is.
    TransferProgress progress(m_state.Caption, QString::fromUtf8(texts::Moving), entries.size(),
                              m_progressDelay);
    for (qsizetype i = 0; i < entries.size() && progress.Next(i, entries[i]); ++i)
        (void)MoveFileNoReplace(source + entries[i], target + entries[i], m_moveSteps);
    m_form.TagAreaPart().Reset();
    m_form.PaneSet().RefreshPane(1);
    m_form.PaneSet().RefreshPane(2);
}

void FileOperations::Delete() {
    const QStringList entries = MarkedEntries();
    if (entries.isEmpty()) return;
    if (m_state.ConfirmDelete && !Confirm(DeleteQuestion(entries.size(), CurrentEntry()))) return;
    m_form.Player().Stop(player::PlayerPanel::Wait::ForThread);
    // The edited file may be one of those going: its pending edit is dropped.
    m_state.TagModified = false;
    const int pane = ActivePane();
    const QString folder = pane == 2 ? m_state.PathB : m_state.PathA;
    for (const QString& entry : entries) (void)DeleteFile(folder + entry);
    m_form.PaneSet().RefreshPane(pane);
    m_form.TagAreaPart().Reset();
}

void FileOperations::NewFolder() {
    m_form.Command1->setFocus();
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
    m_state.PathA = AddBackslash(m_form.Dir1->Path());
    m_state.PathB = AddBackslash(m_form.Dir2->Path());
    const int pane = ActivePane();
    (void)CreatePath((pane == 2 ? m_state.PathB : m_state.PathA) + name);
    // The trees show the new folders: the active one, and the other when it shows the same folder.
    for (int tree : {pane, pane == 2 ? 1 : 2}) {
        if (tree != pane && !SameFolder(m_state.PathA, m_state.PathB)) continue;
        const browser::PaneWidgets& widgets = m_form.PaneSet().Pane(tree);
        widgets.Dir->SetPath(widgets.Drive->Drive(), widgets.Dir->Path());
    }
    m_newOrdner->close();
}

}  // namespace trackdeck::files
