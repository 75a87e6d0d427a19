#include "app/files/CreatePath.h"

#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <cerrno>

#include "app/common/MessageService.h"
#include "app/common/PathHelpers.h"
#include "app/common/SystemReason.h"

namespace trackdeck::files {

namespace {

// Makes every missing level of the absolute folder (ending in "/") from the root
// down; an existing folder is fine, a file in the way is not. 0, or the system's
// error number.
int MakeLevels(const QString& folder) {
    if (!QDir::isAbsolutePath(folder)) return ENOENT;
    QString level = "/";
    for (const QString& part : folder.split('/', Qt::SkipEmptyParts)) {
        level += part + "/";
        const QByteArray name = QFile::encodeName(level);
        if (::mkdir(name.constData(), S_IRWXU | S_IRWXG | S_IRWXO) == 0) continue;
        const int error = errno;
        if (error != EEXIST) return error;
        struct stat info {};
        if (::stat(name.constData(), &info) != 0) return errno;
        if (!S_ISDIR(info.st_mode)) return ENOTDIR;
    }
    return 0;
}

}  // namespace

bool CreatePath(const QString& path) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString folder = AddBackslash(path);
    const int error = MakeLevels(folder);
    QApplication::restoreOverrideCursor();
    if (error != 0)
        ShowMessage("Pfad " + folder.chopped(1) + " konnte nicht erstellt werden.\nGrund: " +
                        SystemReason(error),
                    MessageKind::Plain);
    return error == 0;
}

}  // namespace trackdeck::files
