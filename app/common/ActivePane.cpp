#include "app/common/ActivePane.h"

namespace trackdeck {

int ActivePane(const AppState& state) { return state.ActivePane == 2 ? 2 : 1; }

QString& PanePath(AppState& state, int pane) { return pane == 2 ? state.PathB : state.PathA; }

const QString& PanePath(const AppState& state, int pane) {
    return pane == 2 ? state.PathB : state.PathA;
}

const QString& ActivePath(const AppState& state) { return PanePath(state, ActivePane(state)); }

const QString& OtherPath(const AppState& state) {
    return PanePath(state, OtherPane(ActivePane(state)));
}

QListWidget* ActiveList(const PaneLists& lists, const AppState& state) {
    return lists.Of(ActivePane(state));
}

QString CurrentEntry(const PaneLists& lists, const AppState& state) {
    const QListWidgetItem* item = ActiveList(lists, state)->currentItem();
    return item == nullptr ? QString() : item->text();
}

}  // namespace trackdeck
