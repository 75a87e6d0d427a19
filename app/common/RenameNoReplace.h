// Renaming a file without ever replacing another: Linux's rename(2) silently
// destroys an existing target, the program's renames must fail on it instead.
#pragma once

#include <QString>

#include "app/common/FileOutcome.h"

namespace trackdeck {

enum class RenameResult {
    Renamed,
    TargetExists,     // a file or folder of the new name is already there
    OtherFileSystem,  // the target lies on another file system: a rename cannot go
    Failed,           // any other failure (missing source, no permission, ...)
};

using RenameOutcome = FileOutcome<RenameResult>;

// Renames `from` to `to` when nothing of the name `to` exists; never replaces.
// Uses renameat2 with RENAME_NOREPLACE, or link and unlink where the file system
// does not offer it. A failure carries the system's reason.
[[nodiscard]] RenameOutcome RenameNoReplace(const QString& from, const QString& to);

// What the program says when the file `from` could not get the name `to` (both
// given without their folder): "Die Datei ... konnte nicht in ... umbenannt werden."
// and the system's reason.
[[nodiscard]] QString RenameFailureText(const QString& from, const QString& to, int error);

}  // namespace trackdeck
