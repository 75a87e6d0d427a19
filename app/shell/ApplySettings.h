// Start-up's application of the settings to the main window: the panes' folders and
// the active pane, the flags, and the volume knob with the control's volume.
#pragma once

#include "app/common/AppState.h"

namespace trackdeck {

class frmDeck;

void ApplySettings(frmDeck& form, AppState& state);

}  // namespace trackdeck
