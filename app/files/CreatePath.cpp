#include "app/files/CreatePath.h"

#include <QApplication>
#include <QDir>

#include "app/common/MessageService.h"
#include "app/common/PathHelpers.h"

namespace trackdeck::files {

bool CreatePath(const QString& path) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString folder = AddBackslash(path);
    // mkpath walks the levels from the root and takes an existing folder as made;
    // a file in the way fails, as it must.
    const bool created = QDir::isAbsolutePath(folder) && QDir().mkpath(folder);
    QApplication::restoreOverrideCursor();
    if (!created)
        ShowMessage("Pfad " + folder.chopped(1) + " konnte nicht erstellt werden.",
                    MessageKind::Plain);
    return created;
}

}  // namespace trackdeck::files
