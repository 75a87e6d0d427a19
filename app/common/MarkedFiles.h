// The marked files of a list as the player, the context menus, the tag tools and
// the batch decoder count them: an entry's last three characters name its type,
// "mp3" or "wav", compared without regard to case.
#pragma once

#include <QListWidget>
#include <QString>

#include "app/common/AppState.h"

namespace trackdeck {

[[nodiscard]] bool EndsIn(const QString& entry, const char* type);

// Sets SelectedWavCount and SelectedMp3Count from the list's marked entries.
void CountMarked(const QListWidget& list, AppState& state);

}  // namespace trackdeck
