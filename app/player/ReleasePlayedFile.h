// Letting go of the file being played before the program changes files: the
// copy, move, delete, rename and tag steps must not touch a file the control's
// thread still reads.
#pragma once

namespace trackdeck {
class frmDeck;
struct AppState;
}  // namespace trackdeck

namespace trackdeck::player {

// Stops and closes the player as a stop of the program's own (continuous play
// must not move on), clears the current time and waits for the control's thread.
void ReleasePlayedFile(frmDeck& form, AppState& state);

}  // namespace trackdeck::player
