#include "app/browser/PaneEvents.h"

#include <QDir>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include "app/common/ControlEventPump.h"
#include "app/common/MessageService.h"
#include "app/common/PathHelpers.h"
#include "app/player/PlayerPanel.h"
#include "app/shell/frmDeck.h"
#include "app/tags/TagArea.h"
#include "host/AurionMembers.h"

namespace trackdeck::browser {

namespace {

QString EndOf(const QString& entry) { return entry.right(3).toLower(); }

// The lists' double click and delete keys do what the context menu's items do, so
// whatever serves an item serves its key too.
void TriggerItem(QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions()) {
        if (action->text() == text) {
            action->trigger();
            return;
        }
    }
}

}  // namespace

PaneEvents::PaneEvents(frmDeck& form, AppState& state, player::PlayerPanel& player)
    : QObject(&form), m_form(form), m_state(state), m_player(player) {
    for (int pane : {1, 2}) {
        const PaneWidgets& widgets = form.PaneSet().Pane(pane);
        m_previousDrive[pane - 1] = widgets.Drive->currentIndex();
        connect(widgets.Drive, &QComboBox::activated, this, [this, pane] { DriveChanged(pane); });
        // The tree is rebuilt on a folder change, so the item must outlive its signal.
        connect(widgets.Dir, &QTreeWidget::itemActivated, this,
                [this, pane](QTreeWidgetItem* item) {
                    const QString folder = item->data(0, Qt::UserRole).toString();
                    QMetaObject::invokeMethod(
                        this, [this, pane, folder] { FolderChanged(pane, folder); },
                        Qt::QueuedConnection);
                });
        connect(widgets.List, &QListWidget::itemSelectionChanged, this,
                [this, pane] { ListClicked(pane); });
        connect(widgets.List, &QListWidget::itemDoubleClicked, this,
                [this] { TriggerItem(*m_form.Menu, "ID3-TAG > Dateiname"); });
        widgets.List->installEventFilter(this);
        widgets.List->viewport()->installEventFilter(this);
        widgets.List->viewport()->setMouseTracking(true);
        widgets.Dir->viewport()->installEventFilter(this);
    }
    form.Dir2->viewport()->setMouseTracking(true);
    form.centralWidget()->installEventFilter(this);
    form.centralWidget()->setMouseTracking(true);
}

int PaneEvents::PaneOf(QObject* widget) const {
    for (int pane : {1, 2}) {
        const PaneWidgets& widgets = m_form.PaneSet().Pane(pane);
        if (widget == widgets.List || widget == widgets.List->viewport()) return pane;
    }
    return 0;
}

void PaneEvents::StopForBrowse(WaitRule rule) { StopForBrowse(rule, false); }

void PaneEvents::StopForBrowse(WaitRule rule, bool keepCurrentFile) {
    using namespace aurion::host;
    m_state.PlayerStopRequested = true;
    ControlCaller control = m_form.Aurion1->Caller();
    (void)control.Call(members::Stop, {});
    (void)control.Call(members::Close, {});
    const bool wait = rule == WaitRule::FileOperation ||
                      (rule == WaitRule::Click && m_state.ClickPlay) || m_state.TagModified;
    if (wait) WaitUntil([this] { return m_state.PlayerThreadEnded; });
    if (m_state.TagModified) (void)m_form.TagAreaPart().WritePendingTag();
    m_state.TagModified = false;
    if (!keepCurrentFile) {
        m_form.TagAreaPart().Reset();
        return;
    }
    // A click sets the file and its path itself.
    const QString path = m_form.Text7->text();
    const QString current = m_state.CurrentFile;
    m_form.TagAreaPart().Reset();
    m_form.Text7->setText(path);
    m_state.CurrentFile = current;
}

void PaneEvents::DriveChanged(int pane) {
    const PaneWidgets& widgets = m_form.PaneSet().Pane(pane);
    const QString drive = widgets.Drive->Drive();
    if (!QDir(drive).isReadable()) {
        // Not ready: the pane stays on its drive and folder.
        ShowMessage("Das Laufwerk " + drive + " ist nicht bereit.", MessageKind::Exclamation);
        widgets.Drive->setCurrentIndex(m_previousDrive[pane - 1]);
        return;
    }
    m_previousDrive[pane - 1] = widgets.Drive->currentIndex();
    if (m_state.ActivePane == pane) StopForBrowse(WaitRule::Browsing);
    widgets.List->clear();
    FolderChanged(pane, drive);
}

void PaneEvents::FolderChanged(int pane, const QString& folder) {
    m_form.Picture3->show();
    for (QPushButton* button : m_form.Command4) button->hide();
    if (m_state.ActivePane == pane) {
        StopForBrowse(WaitRule::Browsing);
        m_state.CurrentFile.clear();
    }
    m_form.PaneSet().OpenFolder(pane, folder);
    if (m_state.ActivePane == pane) m_form.ShowSearchFolder();
    m_previousDrive[pane - 1] = m_form.PaneSet().Pane(pane).Drive->currentIndex();
}

void PaneEvents::ListFocused(int pane) {
    m_state.ActivePane = static_cast<int16_t>(pane);
    m_form.PaneSet().ShowActivePane(pane);
    m_form.PaneSet().RefreshPane(pane == 2 ? 1 : 2);
    m_form.ShowSearchFolder();
}

void PaneEvents::ListClicked(int pane) {
    m_form.Picture3->show();
    for (QPushButton* button : m_form.Command4) button->hide();
    StopForBrowse(WaitRule::Click, true);
    QListWidget* list = m_form.PaneSet().Pane(pane).List;
    const QListWidgetItem* current = list->currentItem();
    if (current == nullptr) return;
    if (EndOf(current->text()) == "wav") {
        // A WAV file has no tag: nothing is loaded, in either pane alike.
        m_form.Text7->clear();
        m_state.CurrentFile.clear();
        m_form.Text12->clear();
        return;
    }
    if (!m_state.PlayerEndReached) {
        int first = -1;
        for (const QModelIndex& index : list->selectionModel()->selectedRows())
            first = first < 0 ? index.row() : std::min(first, index.row());
        if (first < 0) return;
        const QString entry = list->item(first)->text();
        m_state.CurrentIndex = static_cast<int16_t>(first);
        m_state.CurrentFile = (pane == 2 ? m_state.PathB : m_state.PathA) + entry;
        m_form.Text12->setText(entry.left(entry.size() - 4));
        m_player.ShowCurrentFile();
    }
    m_form.Command11->hide();
    m_form.Image10->show();
    m_state.PlayerEndReached = false;
    m_form.Text7->setText(m_state.CurrentFile);
}

void PaneEvents::RightButton() {
    m_state.SelectedWavCount = 0;
    m_state.SelectedMp3Count = 0;
    QListWidget* list = m_state.ActivePane == 2 ? m_form.List2 : m_form.List1;
    for (const QListWidgetItem* item : list->selectedItems()) {
        if (EndOf(item->text()) == "wav") ++m_state.SelectedWavCount;
        if (EndOf(item->text()) == "mp3") ++m_state.SelectedMp3Count;
    }
    QMenu* menu = m_state.SelectedWavCount == 0 && m_state.SelectedMp3Count == 0
                      ? m_form.Verzeichnis
                      : m_form.Menu;
    menu->popup(QCursor::pos());
}

void PaneEvents::ListKey(int pane, QEvent* event) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F5) {
        m_form.PaneSet().RefreshPane(pane);
    } else if (key->text() == "+") {
        m_form.PaneSet().Pane(pane).List->selectAll();
        event->accept();
    } else if (key->text() == "-") {
        m_form.PaneSet().RefreshPane(pane);
        event->accept();
    } else if (key->key() == Qt::Key_Delete || key->text() == "\b") {
        TriggerItem(*m_form.Menu, QString::fromUtf8("Löschen"));
    }
}

bool PaneEvents::eventFilter(QObject* watched, QEvent* event) {
    const int pane = PaneOf(watched);
    switch (event->type()) {
        case QEvent::FocusIn:
            if (pane != 0) ListFocused(pane);
            break;
        case QEvent::KeyPress:
            if (pane != 0) {
                ListKey(pane, event);
                const QString text = static_cast<QKeyEvent*>(event)->text();
                return text == "+" || text == "-";
            }
            break;
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(event)->button() != Qt::RightButton) break;
            if (pane != 0) {
                RightButton();
                return true;  // the right button leaves the selection as it is
            } else if (watched != m_form.centralWidget()) {
                m_form.Verzeichnis->popup(QCursor::pos());  // a folder tree
            }
            break;
        case QEvent::MouseMove:
            // The left folder tree hides neither hint; the lists only the insert hint.
            if (watched == m_form.Dir1->viewport()) break;
            m_form.Text13->hide();
            if (pane == 0) m_form.Text14->hide();
            break;
        default:
            break;
    }
    return false;
}

}  // namespace trackdeck::browser
