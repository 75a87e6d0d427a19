#include "app/browser/FolderFiles.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QFile>
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace trackdeck::browser {

namespace {

bool EndsInPlayableType(const char* name) {
    const size_t length = std::strlen(name);
    if (length < 4) return false;
    const char* end = name + length - 4;
    return end[0] == '.' && (strcasecmp(end + 1, "mp3") == 0 || strcasecmp(end + 1, "wav") == 0);
}

bool IsFile(DIR* folder, const dirent& entry) {
    if (entry.d_type == DT_REG) return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
    struct stat status {};
    return fstatat(dirfd(folder), entry.d_name, &status, 0) == 0 && S_ISREG(status.st_mode);
}

}  // namespace

QStringList PlayableFiles(const QString& folder) {
    DIR* handle = opendir(QFile::encodeName(folder).constData());
    if (handle == nullptr) return {};
    // Each name with its case-folded form, compared once per pair while sorting.
    std::vector<std::pair<QString, QString>> files;
    while (const dirent* entry = readdir(handle)) {
        if (!EndsInPlayableType(entry->d_name) || !IsFile(handle, *entry)) continue;
        QString name = QFile::decodeName(entry->d_name);
        QString key = name.toCaseFolded();
        files.emplace_back(std::move(key), std::move(name));
    }
    closedir(handle);
    std::sort(files.begin(), files.end());
    QStringList names;
    names.reserve(static_cast<qsizetype>(files.size()));
    for (auto& file : files) names.append(std::move(file.second));
    return names;
}

}  // namespace trackdeck::browser
