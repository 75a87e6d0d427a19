#include "app/pathlist/VerzListe.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "app/common/Looks.h"
#include "app/common/Twips.h"
#include "app/pathlist/PathList.h"

namespace trackdeck::pathlist {

VerzListe::VerzListe(QWidget& mainWindow, browser::PaneEvents& paneEvents, AppState& state)
    : QWidget(nullptr, Qt::Window) {
    setObjectName("VerzListe");
    setWindowTitle("Verzeichnisliste");
    resize(Twips(FormWidth), Twips(FormHeight));
    List1 = new QListWidget(this);
    List1->setObjectName("List1");
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    ApplyLooks(*this);
    // The menu-bar entry of the context menu is never shown: it is a context menu only.
    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName("PopupMenu");
    DelPath = PopupMenu->addAction("Entfernen");
    DelPath->setObjectName("DelPath");
    DelAll = PopupMenu->addAction("Alle entfernen");
    DelAll->setObjectName("DelAll");

    m_paths = new PathList(*this, mainWindow, paneEvents, state);
    connect(DelPath, &QAction::triggered, m_paths, &PathList::RemoveSelected);
    connect(DelAll, &QAction::triggered, m_paths, &PathList::RemoveAll);
    connect(List1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { m_paths->Jump(List1->row(item)); });
    List1->installEventFilter(this);
    List1->viewport()->installEventFilter(this);
}

VerzListe::~VerzListe() = default;

void VerzListe::resizeEvent(QResizeEvent* event) {
    // The list fills the window: the margins of the form's outer size are its frame.
    List1->setGeometry(rect());
    QWidget::resizeEvent(event);
}

bool VerzListe::eventFilter(QObject* watched, QEvent* event) {
    if (watched == List1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete) {
            m_paths->RemoveSelected();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_paths->Jump(List1->currentRow());
            return true;
        }
    }
    if (watched == List1->viewport() && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        // The right button opens the menu and leaves the selection as it is.
        if (List1->count() > 0) PopupMenu->popup(QCursor::pos());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace trackdeck::pathlist
