#include "app/common/SettingsFolder.h"

#include <unistd.h>

#include <QDir>
#include <QFile>

#include "app/common/PathHelpers.h"
#include "platform/system/UserFolders.h"

namespace trackdeck {

bool FolderWritable(const QString& folder) {
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

QString UserSettingsFolder() {
    const QString folder = QFile::decodeName(platform::UserConfigFolder().c_str()) + "/trackdeck/";
    QDir().mkpath(folder);  // a folder that cannot be made shows as settings not kept
    return folder;
}

QString HomeFolder() { return AddBackslash(QFile::decodeName(platform::HomeFolder().c_str())); }

}  // namespace trackdeck
