// Closing the main window: playback stopped, a pending tag edit saved, the panes'
// folders, the active pane and the volume written to the settings file.
#pragma once

#include "app/common/AppState.h"

namespace trackdeck {

class frmDeck;

void Shutdown(frmDeck& form, AppState& state);

}  // namespace trackdeck
