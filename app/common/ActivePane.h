// The active pane, whose marked files the file operations, the tag tools, the
// player and the search act on, and its folder and list. AppState::ActivePane is
// 2 for the right pane (B); any other value, the 0 before the settings are applied
// included, stands for the left pane (A) wherever something acts on the active pane.
#pragma once

#include <QListWidget>
#include <QString>

#include "app/common/AppState.h"

namespace trackdeck {

// The visible lists of the two panes.
struct PaneLists {
    QListWidget* List1 = nullptr;  // pane A, the left one
    QListWidget* List2 = nullptr;  // pane B, the right one

    [[nodiscard]] QListWidget* Of(int pane) const { return pane == 2 ? List2 : List1; }
};

// 1 or 2.
[[nodiscard]] int ActivePane(const AppState& state);
[[nodiscard]] constexpr int OtherPane(int pane) { return pane == 2 ? 1 : 2; }

// PathA or PathB: the pane's folder, ending with "/".
[[nodiscard]] QString& PanePath(AppState& state, int pane);
[[nodiscard]] const QString& PanePath(const AppState& state, int pane);
[[nodiscard]] const QString& ActivePath(const AppState& state);
// The other pane's folder: where copies, moves and decoded files go.
[[nodiscard]] const QString& OtherPath(const AppState& state);

[[nodiscard]] QListWidget* ActiveList(const PaneLists& lists, const AppState& state);
// The text of the active list's current entry; empty when there is none.
[[nodiscard]] QString CurrentEntry(const PaneLists& lists, const AppState& state);

}  // namespace trackdeck
