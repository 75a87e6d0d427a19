// A click on a result of the search window: the main window and the search window
// side by side, centred together on the screen, and the file shown in the active
// pane (its folder opened, the file selected as if clicked). The line saying that
// nothing was found names no file and leads nowhere.
#pragma once

#include <QString>
#include <QWidget>

#include "app/browser/PaneEvents.h"
#include "app/browser/Panes.h"
#include "app/common/AppState.h"

namespace trackdeck::search {

class Such;

// Where a chosen result goes: the main window, which the search window stands
// beside, and the active pane, which opens the result's folder and selects it.
struct ResultTarget {
    QWidget* MainWindow = nullptr;
    browser::Panes* Panes = nullptr;
    browser::PaneEvents* PaneEvents = nullptr;
};

void ShowFoundFile(const ResultTarget& target, Such& window, AppState& state, const QString& path);

}  // namespace trackdeck::search
