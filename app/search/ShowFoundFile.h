// A click on a result of the search window: the main window and the search window
// side by side, centred together on the screen, and the file shown in the active
// pane (its folder opened, the file selected as if clicked). The line saying that
// nothing was found names no file and leads nowhere.
#pragma once

#include <QString>

#include "app/common/AppState.h"

namespace trackdeck {
class frmDeck;
}

namespace trackdeck::search {

class Such;

void ShowFoundFile(frmDeck& form, Such& window, AppState& state, const QString& path);

}  // namespace trackdeck::search
