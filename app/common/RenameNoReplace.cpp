#include "app/common/RenameNoReplace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace trackdeck {

namespace {

RenameResult ResultOf(int error) {
    switch (error) {
        case EEXIST:
        case ENOTEMPTY:
            return RenameResult::TargetExists;
        case EXDEV:
            return RenameResult::OtherFileSystem;
        default:
            return RenameResult::Failed;
    }
}

// For file systems without RENAME_NOREPLACE: link fails when the target exists,
// so the source is only removed once the new name is in place.
RenameResult RenameByLink(const QByteArray& from, const QByteArray& to) {
    if (::link(from.constData(), to.constData()) != 0) return ResultOf(errno);
    if (::unlink(from.constData()) != 0) {
        const int error = errno;
        ::unlink(to.constData());
        return ResultOf(error);
    }
    return RenameResult::Renamed;
}

}  // namespace

RenameResult RenameNoReplace(const QString& from, const QString& to) {
    const QByteArray source = from.toUtf8();
    const QByteArray target = to.toUtf8();
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0)
        return RenameResult::Renamed;
    const int error = errno;
    if (error == EINVAL || error == ENOSYS) return RenameByLink(source, target);
    return ResultOf(error);
}

}  // namespace trackdeck
