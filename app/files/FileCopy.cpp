#include "app/files/FileCopy.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>
#include <memory>

#include "app/common/RenameNoReplace.h"

namespace trackdeck::files {

namespace {

constexpr qint64 ChunkSize = 64 * 1024;

// The source's bytes in a temporary file beside `to`, closed; removed again when
// the returned object goes unless it is given a name first.
std::unique_ptr<QTemporaryFile> TemporaryCopy(const QString& from, const QString& to) {
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) return nullptr;
    const QFileInfo target(to);
    auto part = std::make_unique<QTemporaryFile>(target.absolutePath() + "/." + target.fileName() +
                                                 ".XXXXXX");
    if (!part->open()) return nullptr;
    QByteArray chunk(ChunkSize, Qt::Uninitialized);
    for (;;) {
        const qint64 read = source.read(chunk.data(), ChunkSize);
        if (read < 0) return nullptr;
        if (read == 0) break;
        if (part->write(chunk.constData(), read) != read) return nullptr;
    }
    if (!part->flush() || part->size() != source.size()) return nullptr;
    part->setPermissions(source.permissions() | QFileDevice::WriteOwner);
    part->close();
    return part;
}

}  // namespace

bool CopyFileReplacing(const QString& from, const QString& to) {
    const std::unique_ptr<QTemporaryFile> part = TemporaryCopy(from, to);
    if (!part) return false;
    if (std::rename(QFile::encodeName(part->fileName()).constData(),
                    QFile::encodeName(to).constData()) != 0)
        return false;
    part->setAutoRemove(false);
    return true;
}

CopyResult CopyFileNoReplace(const QString& from, const QString& to) {
    if (QFileInfo(to).exists() || QFileInfo(to).isSymLink()) return CopyResult::TargetExists;
    const std::unique_ptr<QTemporaryFile> part = TemporaryCopy(from, to);
    if (!part) return CopyResult::Failed;
    switch (RenameNoReplace(part->fileName(), to)) {
        case RenameResult::Renamed:
            part->setAutoRemove(false);
            return CopyResult::Copied;
        case RenameResult::TargetExists:
            return CopyResult::TargetExists;
        default:
            return CopyResult::Failed;
    }
}

}  // namespace trackdeck::files
