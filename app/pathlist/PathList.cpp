#include "app/pathlist/PathList.h"

#include <QFile>

#include "app/common/ActivePane.h"
#include "app/common/MessageService.h"
#include "app/common/PathHelpers.h"
#include "app/common/SameFolder.h"
#include "app/common/SideBySide.h"
#include "app/common/WindowHelpers.h"
#include "app/pathlist/PathListFile.h"
#include "app/pathlist/VerzListe.h"

namespace trackdeck::pathlist {

PathList::PathList(VerzListe& window, QWidget& mainWindow, browser::PaneEvents& paneEvents,
                   AppState& state)
    : QObject(&window),
      m_window(window),
      m_mainWindow(mainWindow),
      m_paneEvents(paneEvents),
      m_state(state) {}

void PathList::Place() { PlaceSideBySide(m_mainWindow, m_window, BesideTop::CentredOnMain); }

void PathList::PlaceShowAndLoad() {
    const bool loading = !m_window.isVisible();
    if (loading) {
        // A window that was closed opens afresh, topmost.
        m_window.List1->clear();
        MakeTopmost(m_window);
    }
    // Shown before it is placed: only a shown window knows the size of its frame.
    m_window.show();
    m_window.raise();
    Place();
    if (!QFile::exists(m_state.PathListFile)) return;
    m_window.List1->clear();
    for (const QString& entry : ReadPathList(m_state.PathListFile))
        if (DirExists(entry)) m_window.List1->addItem(entry);
}

void PathList::Show() { PlaceShowAndLoad(); }

void PathList::Remember() {
    PlaceShowAndLoad();
    const QString folder = ActivePath(m_state);
    for (int row = 0; row < m_window.List1->count(); ++row) {
        if (SameFolder(m_window.List1->item(row)->text(), folder)) {
            ShowMessage("Pfad  " + folder + "  ist bereits aufgelistet.", MessageKind::Information);
            return;
        }
    }
    if (!FitsOnOneLine(folder)) {
        ShowMessage("Pfad  " + folder + "  kann nicht gemerkt werden: Zeilenumbruch im Namen.",
                    MessageKind::Exclamation);
        return;
    }
    m_window.List1->addItem(folder);
    (void)AppendToPathList(m_state.PathListFile, folder);
}

void PathList::Jump(int row) {
    if (row < 0 || row >= m_window.List1->count()) return;
    const QString folder = m_window.List1->item(row)->text();
    if (!DirExists(folder)) return;  // removed since the list was loaded
    m_paneEvents.FolderChanged(ActivePane(m_state), folder);
}

void PathList::RemoveSelected() {
    const int row = m_window.List1->currentRow();
    if (row < 0 || !m_window.List1->item(row)->isSelected()) return;
    delete m_window.List1->takeItem(row);
    QStringList entries;
    for (int i = 0; i < m_window.List1->count(); ++i)
        entries.append(m_window.List1->item(i)->text());
    (void)RewritePathList(m_state.PathListFile, entries);
}

void PathList::RemoveAll() {
    if (Ask("Wirklich alle Einträge löschen ?", MessageKind::Question, Answer::No) == Answer::No)
        return;
    QFile::remove(m_state.PathListFile);
    m_window.close();
}

}  // namespace trackdeck::pathlist
