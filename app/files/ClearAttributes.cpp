#include "app/files/ClearAttributes.h"

#include <QFile>

namespace trackdeck::files {

bool ClearAttributes(const QString& path) {
    QFile file(path);
    return file.setPermissions(file.permissions() | QFileDevice::WriteOwner);
}

}  // namespace trackdeck::files
