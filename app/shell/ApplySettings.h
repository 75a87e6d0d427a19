// Start-up's application of the settings to the main window: the panes' folders and
// the active pane, the flags, the ID3v1 code page, and the volume knob with the
// control's volume.
#pragma once

#include "app/browser/Panes.h"
#include "app/common/AppState.h"
#include "app/player/PlayerPanel.h"

namespace trackdeck {

void ApplySettings(AppState& state, browser::Panes& panes, player::PlayerPanel& player);

}  // namespace trackdeck
