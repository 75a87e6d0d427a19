#include "app/files/MoveFile.h"

#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "app/files/ClearAttributes.h"

namespace trackdeck::files {

namespace {

MoveOutcome MoveByCopy(const QString& from, const QString& to, const MoveSteps& steps) {
    const qint64 size = QFileInfo(from).size();
    const CopyOutcome copied = steps.Copy(from, to);
    switch (copied.Value) {
        case CopyResult::Copied:
            break;
        case CopyResult::TargetExists:
            return MoveResult::TargetExists;
        case CopyResult::Failed:
            return {MoveResult::Failed, copied.Error};
    }
    // The copy is ours from here: a short one or a source that will not go
    // takes the copy with it, so the file is in exactly one place.
    if (QFileInfo(to).size() != size) {
        QFile::remove(to);
        return {MoveResult::Failed, EIO};
    }
    if (::unlink(QFile::encodeName(from).constData()) != 0) {
        const int error = errno;
        QFile::remove(to);
        return {MoveResult::Failed, error};
    }
    return MoveResult::Moved;
}

}  // namespace

MoveOutcome MoveFileNoReplace(const QString& from, const QString& to, const MoveSteps& steps) {
    (void)ClearAttributes(from);
    const RenameOutcome renamed = steps.Rename(from, to);
    switch (renamed.Value) {
        case RenameResult::Renamed:
            return MoveResult::Moved;
        case RenameResult::TargetExists:
            return MoveResult::TargetExists;
        case RenameResult::OtherFileSystem:
            return MoveByCopy(from, to, steps);
        case RenameResult::Failed:
            break;
    }
    return {MoveResult::Failed, renamed.Error};
}

}  // namespace trackdeck::files
