#include "app/search/ShowFoundFile.h"

#include "app/common/ActivePane.h"
#include "app/common/PathHelpers.h"
#include "app/common/SideBySide.h"
#include "app/search/Such.h"

namespace trackdeck::search {

void ShowFoundFile(const ResultTarget& target, Such& window, AppState& state, const QString& path) {
    PlaceSideBySide(*target.MainWindow, window, BesideTop::Unchanged);
    QString folder = path;
    ParentFolder(folder);
    folder = AddBackslash(folder);
    if (!path.contains('/') || !DirExists(folder)) return;
    window.Label3->setText(folder);
    const QString name = FileNameOf(path);
    const int pane = ActivePane(state);
    target.PaneEvents->FolderChanged(pane, folder);
    QListWidget* list = target.Panes->Pane(pane).List;
    // The file itself first: beside it a name that differs only in case is another file.
    int chosen = -1;
    for (int row = 0; row < list->count() && chosen < 0; ++row)
        if (list->item(row)->text() == name) chosen = row;
    for (int row = 0; row < list->count() && chosen < 0; ++row)
        if (QString::compare(list->item(row)->text(), name, Qt::CaseInsensitive) == 0) chosen = row;
    if (chosen < 0) return;
    list->setCurrentRow(chosen);
    list->scrollToItem(list->item(chosen));
}

}  // namespace trackdeck::search
