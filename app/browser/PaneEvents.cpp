#include "app/browser/PaneEvents.h"

#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>

#include "app/common/MarkedFiles.h"
#include "app/common/MessageService.h"

namespace trackdeck::browser {

PaneEvents::PaneEvents(PaneEventWidgets widgets, Panes& panes, player::PlayerPanel& player,
                       tags::TagArea& tagArea, tags::TagEditing& tagEditing, AppState& state,
                       std::function<void()> folderShown, QObject* parent)
    : QObject(parent),
      m_widgets(widgets),
      m_panes(panes),
      m_player(player),
      m_tagArea(tagArea),
      m_tagEditing(tagEditing),
      m_state(state),
      m_folderShown(std::move(folderShown)) {
    for (int pane : {1, 2}) {
        const PaneWidgets& paneWidgets = panes.Pane(pane);
        m_previousDrive[pane - 1] = paneWidgets.Drive->currentIndex();
        connect(paneWidgets.Drive, &QComboBox::activated, this,
                [this, pane] { DriveChanged(pane); });
        // The tree is rebuilt on a folder change, so the item must outlive its signal.
        connect(paneWidgets.Dir, &QTreeWidget::itemActivated, this,
                [this, pane](QTreeWidgetItem* item) {
                    const QString folder = item->data(0, Qt::UserRole).toString();
                    QMetaObject::invokeMethod(
                        this, [this, pane, folder] { FolderChanged(pane, folder); },
                        Qt::QueuedConnection);
                });
        connect(paneWidgets.List, &QListWidget::itemSelectionChanged, this,
                [this, pane] { ListClicked(pane); });
        connect(paneWidgets.List, &QListWidget::itemDoubleClicked, this,
                [this] { m_widgets.Rename->trigger(); });
        paneWidgets.List->installEventFilter(this);
        paneWidgets.List->viewport()->installEventFilter(this);
        paneWidgets.List->viewport()->setMouseTracking(true);
        paneWidgets.Dir->viewport()->installEventFilter(this);
    }
    panes.Pane(2).Dir->viewport()->setMouseTracking(true);
    widgets.Client->installEventFilter(this);
    widgets.Client->setMouseTracking(true);
}

int PaneEvents::PaneOf(QObject* widget) const {
    for (int pane : {1, 2}) {
        const QListWidget* list = m_panes.Pane(pane).List;
        if (widget == list || widget == list->viewport()) return pane;
    }
    return 0;
}

void PaneEvents::StopForBrowse(WaitRule rule, bool keepCurrentFile) {
    // Unlike the other stops of the program's own, this one leaves PlayerEndReached as
    // it is: a click tells by it whether continuous play has just moved on.
    const bool endReached = m_state.PlayerEndReached;
    m_player.Stop(player::PlayerPanel::Wait::No);
    m_state.PlayerEndReached = endReached;
    if ((rule == WaitRule::Click && m_state.ClickPlay) || m_state.TagModified)
        m_player.WaitForThread();
    if (m_state.TagModified) (void)m_tagArea.WritePendingTag();
    m_state.TagModified = false;
    if (!keepCurrentFile) {
        m_tagArea.Reset();
        return;
    }
    // A click sets the file and its path itself.
    const QString path = m_tagArea.File();
    const QString current = m_state.CurrentFile;
    m_tagArea.Reset();
    m_tagArea.ShowFile(path);
    m_state.CurrentFile = current;
}

void PaneEvents::DriveChanged(int pane) {
    const PaneWidgets& widgets = m_panes.Pane(pane);
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
    m_tagEditing.HideInsertButtons();
    if (m_state.ActivePane == pane) {
        StopForBrowse(WaitRule::Browsing);
        m_state.CurrentFile.clear();
    }
    m_panes.OpenFolder(pane, folder);
    if (m_state.ActivePane == pane) m_folderShown();
    m_previousDrive[pane - 1] = m_panes.Pane(pane).Drive->currentIndex();
}

void PaneEvents::ListFocused(int pane) {
    m_state.ActivePane = static_cast<int16_t>(pane);
    m_panes.ShowActivePane(pane);
    m_panes.RefreshPane(OtherPane(pane));
    m_folderShown();
}

void PaneEvents::ListClicked(int pane) {
    m_tagEditing.HideInsertButtons();
    StopForBrowse(WaitRule::Click, true);
    QListWidget* list = m_panes.Pane(pane).List;
    const QListWidgetItem* current = list->currentItem();
    if (current == nullptr) return;
    if (EndsIn(current->text(), "wav")) {
        // A WAV file has no tag: nothing is loaded, in either pane alike.
        m_tagArea.ShowFile({});
        m_state.CurrentFile.clear();
        m_widgets.Text12->clear();
        return;
    }
    if (!m_state.PlayerEndReached) {
        int first = -1;
        for (const QModelIndex& index : list->selectionModel()->selectedRows())
            first = first < 0 ? index.row() : std::min(first, index.row());
        if (first < 0) return;
        const QString entry = list->item(first)->text();
        m_state.CurrentIndex = static_cast<int16_t>(first);
        m_state.CurrentFile = PanePath(m_state, pane) + entry;
        m_widgets.Text12->setText(entry.left(entry.size() - 4));
        m_player.ShowCurrentFile();
    }
    m_widgets.Command11->hide();
    m_widgets.Image10->show();
    m_state.PlayerEndReached = false;
    m_tagArea.ShowFile(m_state.CurrentFile);
}

void PaneEvents::RightButton() {
    CountMarked(*ActiveList(m_panes.Lists(), m_state), m_state);
    QMenu* menu = m_state.SelectedWavCount == 0 && m_state.SelectedMp3Count == 0
                      ? m_widgets.Verzeichnis
                      : m_widgets.Menu;
    menu->popup(QCursor::pos());
}

void PaneEvents::ListKey(int pane, QEvent* event) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F5) {
        m_panes.RefreshPane(pane);
    } else if (key->text() == "+") {
        m_panes.Pane(pane).List->selectAll();
        event->accept();
    } else if (key->text() == "-") {
        m_panes.RefreshPane(pane);
        event->accept();
    } else if (key->key() == Qt::Key_Delete || key->text() == "\b") {
        m_widgets.Delete->trigger();
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
            } else if (watched != m_widgets.Client) {
                m_widgets.Verzeichnis->popup(QCursor::pos());  // a folder tree
            }
            break;
        case QEvent::MouseMove:
            // The left folder tree hides neither hint; the lists only the insert hint.
            if (watched == m_panes.Pane(1).Dir->viewport()) break;
            m_widgets.Text13->hide();
            if (pane == 0) m_widgets.Text14->hide();
            break;
        default:
            break;
    }
    return false;
}

}  // namespace trackdeck::browser
