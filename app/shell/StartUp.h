// The program's entry procedure: the support files checked, the command-line
// argument taken, the control installed, the main window loaded and shown.
#pragma once

#include <QString>
#include <memory>

#include "app/common/AppState.h"

namespace trackdeck {

class frmDeck;

// The folders, files, caption and list colours of the state record.
void FillAppState(AppState& state, const QString& programFolder, const QString& systemFolder);

// The support files checked, the argument taken, the control installed, the main
// window made and loaded. Null when a support file is missing (after its message);
// the window is then never shown.
[[nodiscard]] std::unique_ptr<frmDeck> StartTrackdeck(AppState& state, const QString& argument);

}  // namespace trackdeck
