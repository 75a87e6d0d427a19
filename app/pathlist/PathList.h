// The list of remembered folders: remembering the active pane's folder, showing
// the list beside the main window, jumping to a folder in the active pane and
// removing entries, with the path-list file kept in step.
//
// The shown list holds the file's entries that name an existing folder; the others
// stay in the file until it is next rewritten. Two entries name the same folder
// when the file system says so (SameFolder), never by a comparison of letters.
#pragma once

#include <QObject>
#include <QString>

#include "app/browser/PaneEvents.h"
#include "app/common/AppState.h"

namespace trackdeck::pathlist {

class VerzListe;

class PathList : public QObject {
public:
    // The list stands beside `mainWindow`; a chosen folder opens in the active pane.
    PathList(VerzListe& window, QWidget& mainWindow, browser::PaneEvents& paneEvents,
             AppState& state);

    // "Aktuellen Pfad merken".
    void Remember();
    // "Pfad-Liste zeigen".
    void Show();
    // A click on an entry: the active pane goes to its folder.
    void Jump(int row);
    // "Entfernen" and the Delete key: the selected entry.
    void RemoveSelected();
    // "Alle entfernen", after the question.
    void RemoveAll();

private:
    void PlaceShowAndLoad();
    void Place();

    VerzListe& m_window;
    QWidget& m_mainWindow;
    browser::PaneEvents& m_paneEvents;
    AppState& m_state;
};

}  // namespace trackdeck::pathlist
