// Undoing one batch from its journal, file by file, the last change first: a moved
// or renamed file gets its old path back, a file whose tag was written gets its old
// length and tag bytes back, and each its old modification time. A file that is not
// as the batch left it (its size or modification time differ, it is gone, its old
// name is taken) is left alone and reported. Each restored file is marked in the
// journal at once, so an undo cut short goes on where it stopped.
#pragma once

#include <QString>
#include <vector>

#include "app/common/BatchJournal.h"
#include "app/files/MoveFile.h"

namespace trackdeck::files {

struct LeftAloneFile {
    QString Name;    // the name the file has now
    QString Reason;  // in German, as the end message says it
};

struct RestoreOutcome {
    int Restored = 0;
    std::vector<LeftAloneFile> LeftAlone;
};

[[nodiscard]] RestoreOutcome RestoreBatch(const BatchRecord& batch);

}  // namespace trackdeck::files
