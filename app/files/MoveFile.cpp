#include "app/files/MoveFile.h"

#include <QFile>
#include <QFileInfo>

#include "app/files/ClearAttributes.h"

namespace trackdeck::files {

namespace {

MoveResult MoveByCopy(const QString& from, const QString& to, const MoveSteps& steps) {
    const qint64 size = QFileInfo(from).size();
    switch (steps.Copy(from, to)) {
        case CopyResult::Copied:
            break;
        case CopyResult::TargetExists:
            return MoveResult::TargetExists;
        case CopyResult::Failed:
            return MoveResult::Failed;
    }
    // The copy is ours from here: a short one or a source that will not go
    // takes the copy with it, so the file is in exactly one place.
    QFileInfo copy(to);
    if (copy.size() != size || !QFile::remove(from)) {
        QFile::remove(to);
        return MoveResult::Failed;
    }
    return MoveResult::Moved;
}

}  // namespace

MoveResult MoveFileNoReplace(const QString& from, const QString& to, const MoveSteps& steps) {
    (void)ClearAttributes(from);
    switch (steps.Rename(from, to)) {
        case RenameResult::Renamed:
            return MoveResult::Moved;
        case RenameResult::TargetExists:
            return MoveResult::TargetExists;
        case RenameResult::OtherFileSystem:
            return MoveByCopy(from, to, steps);
        case RenameResult::Failed:
            break;
    }
    return MoveResult::Failed;
}

}  // namespace trackdeck::files
