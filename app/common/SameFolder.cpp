#include "app/common/SameFolder.h"

#include <sys/stat.h>

#include <QFile>

namespace trackdeck {

namespace {

bool FolderStatus(const QString& path, struct stat& status) {
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

bool SameFolder(const QString& a, const QString& b) {
    struct stat first {};
    struct stat second {};
    if (FolderStatus(a, first) && FolderStatus(b, second))
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    return a == b;
}

}  // namespace trackdeck
