// Moving a file into another folder without ever losing one. Within a file system
// the move is a rename that never replaces; where the rename cannot go (another
// file system) the file is copied, the copy's size checked, and only then the
// source removed. On any failure the source stays whole and no partial copy stays.
#pragma once

#include <QString>
#include <functional>

#include "app/common/RenameNoReplace.h"
#include "app/files/FileCopy.h"

namespace trackdeck::files {

enum class MoveResult {
    Moved,
    TargetExists,  // a file of the new name is there: both stay as they were
    Failed,        // the source stays where it was
};

// The two steps a move is made of; tests replace them to reach the failures that a
// single file system cannot show.
struct MoveSteps {
    std::function<RenameResult(const QString& from, const QString& to)> Rename = RenameNoReplace;
    std::function<CopyResult(const QString& from, const QString& to)> Copy = CopyFileNoReplace;
};

// Clears the source's attributes and moves it to `to`.
[[nodiscard]] MoveResult MoveFileNoReplace(const QString& from, const QString& to,
                                           const MoveSteps& steps = {});

}  // namespace trackdeck::files
