// The path-list window "Verzeichnisliste": the remembered folders in one list
// (green on black, one selected at a time) beside the main window, with the context
// menu "Entfernen" / "Alle entfernen". A form is layout and wiring only: what the
// list does is PathList's.
#pragma once

#include <QListWidget>
#include <QMenu>
#include <QWidget>

#include "app/browser/PaneEvents.h"
#include "app/common/AppState.h"

namespace trackdeck::pathlist {

class PathList;

class VerzListe : public QWidget {
public:
    // The window's size when it opens, in twips; the list fills it at any size.
    static constexpr int FormWidth = 4500;
    static constexpr int FormHeight = 5400;

    // The list stands beside `mainWindow`; a chosen folder opens in the active pane.
    VerzListe(QWidget& mainWindow, browser::PaneEvents& paneEvents, AppState& state);
    ~VerzListe() override;

    [[nodiscard]] PathList& Paths() { return *m_paths; }

    QListWidget* List1;
    QMenu* PopupMenu;
    QAction* DelPath;  // "Entfernen"
    QAction* DelAll;   // "Alle entfernen"

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PathList* m_paths = nullptr;  // owned as the window's child
};

}  // namespace trackdeck::pathlist
