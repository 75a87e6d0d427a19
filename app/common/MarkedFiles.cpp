#include "app/common/MarkedFiles.h"

namespace trackdeck {

bool EndsIn(const QString& entry, const char* type) {
    return entry.right(3).compare(QLatin1String(type), Qt::CaseInsensitive) == 0;
}

void CountMarked(const QListWidget& list, AppState& state) {
    state.SelectedWavCount = 0;
    state.SelectedMp3Count = 0;
    for (const QListWidgetItem* item : list.selectedItems()) {
        if (EndsIn(item->text(), "wav")) ++state.SelectedWavCount;
        if (EndsIn(item->text(), "mp3")) ++state.SelectedMp3Count;
    }
}

}  // namespace trackdeck
