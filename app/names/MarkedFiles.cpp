#include "app/names/MarkedFiles.h"

#include "app/common/ControlEventPump.h"
#include "app/shell/frmDeck.h"
#include "host/AurionMembers.h"

namespace trackdeck::names {

bool EndsIn(const QString& entry, const char* extension) {
    return entry.right(3).compare(QLatin1String(extension), Qt::CaseInsensitive) == 0;
}

QListWidget* ActiveList(frmDeck& form, const AppState& state) {
    return state.ActivePane == 2 ? form.List2 : form.List1;
}

QString ActiveFolder(const AppState& state) {
    return state.ActivePane == 2 ? state.PathB : state.PathA;
}

QString OtherFolder(const AppState& state) {
    return state.ActivePane == 2 ? state.PathA : state.PathB;
}

QString CurrentEntry(frmDeck& form, const AppState& state) {
    const QListWidgetItem* item = ActiveList(form, state)->currentItem();
    return item == nullptr ? QString() : item->text();
}

void CountMarked(frmDeck& form, AppState& state) {
    state.SelectedWavCount = 0;
    state.SelectedMp3Count = 0;
    for (const QListWidgetItem* item : ActiveList(form, state)->selectedItems()) {
        if (EndsIn(item->text(), "wav")) ++state.SelectedWavCount;
        if (EndsIn(item->text(), "mp3")) ++state.SelectedMp3Count;
    }
}

}  // namespace trackdeck::names
