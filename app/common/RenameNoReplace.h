// Renaming a file without ever replacing another: Linux's rename(2) silently
// destroys an existing target, the program's renames must fail on it instead.
#pragma once

#include <QString>

namespace trackdeck {

enum class RenameResult {
    Renamed,
    TargetExists,     // a file or folder of the new name is already there
    OtherFileSystem,  // the target lies on another file system: a rename cannot go
    Failed,           // any other failure (missing source, no permission, ...)
};

// Renames `from` to `to` when nothing of the name `to` exists; never replaces.
// Uses renameat2 with RENAME_NOREPLACE, or link and unlink where the file system
// does not offer it.
[[nodiscard]] RenameResult RenameNoReplace(const QString& from, const QString& to);

}  // namespace trackdeck
