// Closing the main window: playback stopped, a pending tag edit saved, the panes'
// folders, the active pane and the volume written to the settings file.
#pragma once

#include "app/browser/Panes.h"
#include "app/common/AppState.h"
#include "app/player/PlayerPanel.h"
#include "app/tags/TagArea.h"

namespace trackdeck {

void Shutdown(AppState& state, browser::Panes& panes, player::PlayerPanel& player,
              tags::TagArea& tagArea);

}  // namespace trackdeck
