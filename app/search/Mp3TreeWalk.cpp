#include "app/search/Mp3TreeWalk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <cstring>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "app/common/PathHelpers.h"

namespace trackdeck::search {

namespace {

// A folder on disk, whatever path led to it.
using FolderIdentity = std::pair<dev_t, ino_t>;

void SortIgnoringCase(QStringList& names) {
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int order = QString::compare(a, b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
}

bool IsMp3Name(const QString& name) { return name.endsWith(".mp3", Qt::CaseInsensitive); }

// The name as text, or nothing when its bytes are not UTF-8 and so could not be
// turned back into the same file name.
std::optional<QString> NameText(const char* bytes) {
    const QByteArray raw(bytes);
    QString name = QString::fromUtf8(raw);
    if (name.toUtf8() != raw) return std::nullopt;
    return name;
}

enum class EntryKind { Folder, File, Other };

// Links are followed: a link to a folder is a folder, a link to a file a file.
EntryKind KindOf(int folderHandle, const dirent& entry) {
    if (entry.d_type == DT_DIR) return EntryKind::Folder;
    if (entry.d_type == DT_REG) return EntryKind::File;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return EntryKind::Other;
    struct stat status {};
    if (::fstatat(folderHandle, entry.d_name, &status, 0) != 0) return EntryKind::Other;
    if (S_ISDIR(status.st_mode)) return EntryKind::Folder;
    if (S_ISREG(status.st_mode)) return EntryKind::File;
    return EntryKind::Other;
}

// Lists the folder unless it was visited before; then marks it visited.
FolderListing ListOnce(const QString& folder, std::set<FolderIdentity>* visited) {
    FolderListing listing;
    DIR* handle = ::opendir(QFile::encodeName(folder).constData());
    if (handle == nullptr) return listing;
    struct stat status {};
    if (visited != nullptr) {
        if (::fstat(::dirfd(handle), &status) != 0 ||
            !visited->insert({status.st_dev, status.st_ino}).second) {
            ::closedir(handle);
            return listing;
        }
    }
    listing.Readable = true;
    while (const dirent* entry = ::readdir(handle)) {
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
        const EntryKind kind = KindOf(::dirfd(handle), *entry);
        if (kind == EntryKind::Other || (kind == EntryKind::Folder && name[0] == '.')) continue;
        const std::optional<QString> text = NameText(name);
        if (!text) continue;
        if (kind == EntryKind::Folder)
            listing.SubFolders.append(*text);
        else if (IsMp3Name(*text))
            listing.Files.append(*text);
    }
    ::closedir(handle);
    SortIgnoringCase(listing.SubFolders);
    SortIgnoringCase(listing.Files);
    return listing;
}

// A folder on the walk's way down: its listing and the sub-folders still to walk,
// counted down from the last.
struct Step {
    QString Folder;
    FolderListing Listing;
    qsizetype SubFoldersLeft = 0;
};

}  // namespace

FolderListing ListFolder(const QString& folder) { return ListOnce(AddBackslash(folder), nullptr); }

WalkResult WalkMp3Files(const QString& folder, bool subFolders,
                        const std::function<bool(const QString& path)>& visit) {
    auto visitFiles = [&visit](const Step& step) {
        for (const QString& name : step.Listing.Files)
            if (!visit(step.Folder + name)) return false;
        return true;
    };
    if (!subFolders) {
        Step only{AddBackslash(folder), ListFolder(folder), 0};
        return visitFiles(only) ? WalkResult::Finished : WalkResult::Stopped;
    }
    // An explicit stack rather than recursion: a deep tree cannot exhaust the stack.
    std::set<FolderIdentity> visited;
    std::vector<Step> steps;
    auto enter = [&steps, &visited](const QString& path) {
        Step step{path, ListOnce(path, &visited), 0};
        step.SubFoldersLeft = step.Listing.SubFolders.size();
        steps.push_back(std::move(step));
    };
    enter(AddBackslash(folder));
    while (!steps.empty()) {
        Step& top = steps.back();
        if (top.SubFoldersLeft > 0) {
            --top.SubFoldersLeft;
            enter(top.Folder + top.Listing.SubFolders[top.SubFoldersLeft] + '/');
            continue;
        }
        if (!visitFiles(top)) return WalkResult::Stopped;
        steps.pop_back();
    }
    return WalkResult::Finished;
}

}  // namespace trackdeck::search
