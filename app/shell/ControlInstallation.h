// Installing the control: Trackdeck.bin beside the program is copied into the
// system folder as Aurion.ocx and registered there. An Aurion.ocx that is already
// there with the same content is neither copied nor registered again; one whose
// content differs (the program was updated) is replaced and registered again, or
// the program would run its old control forever. Failures are ignored: the program
// then runs with whatever is installed.
#pragma once

#include "app/common/AppState.h"

namespace trackdeck {

enum class Installation { AlreadyInstalled, Installed, Failed };

Installation InstallControl(const AppState& state);

// The control the program runs: the Aurion.ocx in the system folder; where none could
// be installed there, the Trackdeck.bin shipped beside the program.
[[nodiscard]] QString ControlToRun(const AppState& state);

}  // namespace trackdeck
