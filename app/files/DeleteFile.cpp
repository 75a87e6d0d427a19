#include "app/files/DeleteFile.h"

#include <QFile>

#include "app/files/ClearAttributes.h"

namespace trackdeck::files {

bool DeleteFile(const QString& path) {
    (void)ClearAttributes(path);
    if (QFile::moveToTrash(path)) return true;
    return QFile::remove(path);
}

}  // namespace trackdeck::files
