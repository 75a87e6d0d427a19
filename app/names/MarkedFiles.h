// The active pane's marked files, as the tag tools and the batch decoder see them:
// the folder and list of the active pane, and the counts of marked MP3 and WAV
// entries (the last three characters compared without regard to case).
#pragma once

#include <QListWidget>
#include <QString>

namespace trackdeck {
class frmDeck;
struct AppState;
}  // namespace trackdeck

namespace trackdeck::names {

[[nodiscard]] bool EndsIn(const QString& entry, const char* extension);

// The active pane's list and folder (ends with "/").
[[nodiscard]] QListWidget* ActiveList(frmDeck& form, const AppState& state);
[[nodiscard]] QString ActiveFolder(const AppState& state);
// The other pane's folder: the batch decoder's target.
[[nodiscard]] QString OtherFolder(const AppState& state);
// The text of the active list's current entry; empty when there is none.
[[nodiscard]] QString CurrentEntry(frmDeck& form, const AppState& state);

// Sets SelectedWavCount and SelectedMp3Count from the active pane's marks.
void CountMarked(frmDeck& form, AppState& state);

}  // namespace trackdeck::names
