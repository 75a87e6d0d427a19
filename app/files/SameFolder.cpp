#include "app/files/SameFolder.h"

#include <QFileInfo>

namespace trackdeck::files {

bool SameFolder(const QString& first, const QString& second) {
    const QString a = QFileInfo(first).canonicalFilePath();
    const QString b = QFileInfo(second).canonicalFilePath();
    if (a.isEmpty() || b.isEmpty()) return first == second;
    return a == b;
}

}  // namespace trackdeck::files
