// Copying one file. The copy is written under a temporary name in the target's
// folder and only then given its name, so a copy that fails part-way (a full disk,
// an unreadable source) never leaves a truncated file under the target's name and
// never spoils a file that was there before.
#pragma once

#include <QString>

#include "app/common/FileOutcome.h"

namespace trackdeck::files {

enum class CopyResult {
    Copied,
    TargetExists,  // only where the copy must not replace
    Failed,        // nothing new is left behind
};

// A failure carries the system's reason.
using CopyOutcome = FileOutcome<CopyResult>;

// Copies `from` to `to`, replacing a file of that name: the copy operation's rule.
[[nodiscard]] CopyOutcome CopyFileReplacing(const QString& from, const QString& to);
// Copies `from` to `to` unless something of the name `to` exists: the copy step of
// a move to another file system.
[[nodiscard]] CopyOutcome CopyFileNoReplace(const QString& from, const QString& to);

}  // namespace trackdeck::files
