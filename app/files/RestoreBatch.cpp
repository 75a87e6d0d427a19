#include "app/files/RestoreBatch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "app/common/SystemReason.h"

namespace trackdeck::files {

namespace {

QString ReasonText(int error) { return QString::fromUtf8("Grund: ") + SystemReason(error); }

// The length and the tag bytes the file had before the batch; 0 or the system's error.
int RestoreTagBytes(const QString& path, const JournalEntry& entry) {
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    if (descriptor < 0) return errno;
    int error = 0;
    if (::ftruncate(descriptor, entry.Before->Size) != 0) error = errno;
    if (error == 0 && entry.OldTag) {
        const off_t at = entry.Before->Size - JournalTagSize;
        if (::pwrite(descriptor, entry.OldTag->constData(), size_t(JournalTagSize), at) !=
            ssize_t(JournalTagSize))
            error = errno != 0 ? errno : EIO;
    }
    if (::close(descriptor) != 0 && error == 0) error = errno;
    return error;
}

// A tag write leaves the file as long as it was or one tag longer: any other old
// length in the journal is none this program wrote, and no file is cut or grown to it.
bool TagWriteFits(const FileStamp& before, const FileStamp& now) {
    return before.Size <= now.Size && now.Size - before.Size <= JournalTagSize;
}

void RestoreModificationTime(const QString& path, const FileStamp& before) {
    const timespec times[2] = {
        {0, UTIME_OMIT},
        {time_t(before.ModifiedNs / 1'000'000'000), long(before.ModifiedNs % 1'000'000'000)}};
    (void)::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
}

// The old path back; empty, or why the file stays where it is.
QString RestorePath(const BatchRecord& batch, const JournalEntry& entry) {
    if (batch.Kind == BatchKind::Move) {
        const MoveOutcome moved = MoveFileNoReplace(entry.NewPath, entry.OldPath);
        if (moved.Value == MoveResult::TargetExists)
            return QString::fromUtf8("der alte Name ist vergeben");
        return moved.Value == MoveResult::Moved ? QString() : ReasonText(moved.Error);
    }
    const RenameOutcome renamed = RenameNoReplace(entry.NewPath, entry.OldPath);
    if (renamed.Value == RenameResult::TargetExists)
        return QString::fromUtf8("der alte Name ist vergeben");
    return renamed.Value == RenameResult::Renamed ? QString() : ReasonText(renamed.Error);
}

}  // namespace

RestoreOutcome RestoreBatch(const BatchRecord& batch) {
    RestoreOutcome outcome;
    for (auto i = qsizetype(batch.Entries.size()) - 1; i >= 0; --i) {
        const JournalEntry& entry = batch.Entries[size_t(i)];
        const std::optional<FileStamp> left = ToUndo(batch, entry);
        if (!left) continue;
        const QString name = QFileInfo(entry.NewPath).fileName();
        const std::optional<FileStamp> now = StampOf(entry.NewPath);
        QString reason;
        if (!now)
            reason = QString::fromUtf8("nicht mehr vorhanden");
        else if (*now != *left)
            reason = QString::fromUtf8("seitdem geändert");
        else if (!entry.Before)
            reason = QString::fromUtf8("vor der Aktion nicht lesbar");
        else if (batch.Kind == BatchKind::TagsFromNames && !TagWriteFits(*entry.Before, *now))
            reason = QString::fromUtf8("passt nicht zum Protokoll");
        else if (entry.NewPath != entry.OldPath)
            reason = RestorePath(batch, entry);
        if (reason.isEmpty() && batch.Kind == BatchKind::TagsFromNames)
            if (const int error = RestoreTagBytes(entry.OldPath, entry)) reason = ReasonText(error);
        if (!reason.isEmpty()) {
            outcome.LeftAlone.push_back({name, reason});
            continue;
        }
        RestoreModificationTime(entry.OldPath, *entry.Before);
        (void)MarkRestored(batch, i);
        ++outcome.Restored;
    }
    (void)MarkUndone(batch);
    return outcome;
}

}  // namespace trackdeck::files
