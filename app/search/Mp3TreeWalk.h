// The walk of the file search through a folder tree: the MP3 files of a folder
// (names ending in ".mp3" in any case) and of its sub-folders, in the order the
// search lists its results: the sub-folders first, the last sub-folder's tree
// first, each folder's own files after those of its sub-folders; sub-folders and
// files each sorted by name ignoring case.
//
// Linux trees can hold link cycles: a folder already visited (the same folder on
// disk, however it was reached) is not entered again, so every walk ends. Folders
// that cannot be read and names that are not UTF-8 (which no path text of the
// program could name again) are passed over.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace trackdeck::search {

// One folder's sub-folders (hidden ones left out, as the panes' trees show them)
// and MP3 files, each sorted ignoring case; `Readable` is false when the folder
// could not be listed.
struct FolderListing {
    QStringList SubFolders;
    QStringList Files;
    bool Readable = false;
};

[[nodiscard]] FolderListing ListFolder(const QString& folder);

enum class WalkResult { Finished, Stopped };

// Calls `visit` with the full path of every MP3 file below `folder` (which ends
// with "/") in search order; only the folder's own files without `subFolders`.
// Stops as soon as `visit` returns false.
WalkResult WalkMp3Files(const QString& folder, bool subFolders,
                        const std::function<bool(const QString& path)>& visit);

}  // namespace trackdeck::search
