#include "app/files/FileCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <array>
#include <cerrno>
#include <cstdio>
#include <utility>

#include "app/common/RenameNoReplace.h"

namespace trackdeck::files {

namespace {

constexpr size_t ChunkSize = 64 * 1024;

// A file descriptor closed when the object goes.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    [[nodiscard]] int Get() const { return m_fd; }
    // Closes now; the system's error number of a failed close (a write the disk
    // refused late), else 0.
    int Close() { return ::close(std::exchange(m_fd, -1)) == 0 ? 0 : errno; }

private:
    int m_fd;
};

// The copy under a temporary name beside the target, removed again when the object
// goes unless it has been given its name.
class PartFile {
public:
    explicit PartFile(const QString& to)
        : m_path(TemplateFor(to)), m_file(::mkostemp(m_path.data(), O_CLOEXEC)) {
        m_error = m_file.Get() < 0 ? errno : 0;
    }
    ~PartFile() {
        if (m_error == 0 && !m_named) ::unlink(m_path.constData());
    }
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    // The system's error number when the part could not be made, else 0.
    [[nodiscard]] int OpenError() const { return m_error; }
    [[nodiscard]] Descriptor& File() { return m_file; }
    [[nodiscard]] const QByteArray& Path() const { return m_path; }
    // The copy has its name now: nothing to remove.
    void Named() { m_named = true; }

private:
    static QByteArray TemplateFor(const QString& to) {
        const QFileInfo target(to);
        return QFile::encodeName(target.absolutePath() + "/." + target.fileName() + ".XXXXXX");
    }

    QByteArray m_path;
    Descriptor m_file;
    int m_error = 0;
    bool m_named = false;
};

// Writes all of `size` bytes; the system's error number, or 0.
int WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return 0;
}

// Copies the source's bytes into the part file, with the source's permissions and
// the owner's right to write; the system's error number, or 0.
int CopyInto(const QString& from, PartFile& part) {
    Descriptor source(::open(QFile::encodeName(from).constData(), O_RDONLY | O_CLOEXEC));
    if (source.Get() < 0) return errno;
    struct stat info {};
    if (::fstat(source.Get(), &info) != 0) return errno;
    std::array<char, ChunkSize> chunk{};
    off_t copied = 0;
    for (;;) {
        const ssize_t read = ::read(source.Get(), chunk.data(), chunk.size());
        if (read < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (read == 0) break;
        if (const int error = WriteAll(part.File().Get(), chunk.data(), static_cast<size_t>(read)))
            return error;
        copied += read;
    }
    if (copied != info.st_size) return EIO;  // the source changed under the copy
    (void)::fchmod(part.File().Get(), (info.st_mode & 07777) | S_IWUSR);
    return part.File().Close();
}

}  // namespace

CopyOutcome CopyFileReplacing(const QString& from, const QString& to) {
    PartFile part(to);
    if (part.OpenError() != 0) return {CopyResult::Failed, part.OpenError()};
    if (const int error = CopyInto(from, part)) return {CopyResult::Failed, error};
    if (std::rename(part.Path().constData(), QFile::encodeName(to).constData()) != 0)
        return {CopyResult::Failed, errno};
    part.Named();
    return CopyResult::Copied;
}

CopyOutcome CopyFileNoReplace(const QString& from, const QString& to) {
    if (QFileInfo(to).exists() || QFileInfo(to).isSymLink()) return CopyResult::TargetExists;
    PartFile part(to);
    if (part.OpenError() != 0) return {CopyResult::Failed, part.OpenError()};
    if (const int error = CopyInto(from, part)) return {CopyResult::Failed, error};
    const RenameOutcome renamed = RenameNoReplace(QFile::decodeName(part.Path()), to);
    switch (renamed.Value) {
        case RenameResult::Renamed:
            part.Named();
            return CopyResult::Copied;
        case RenameResult::TargetExists:
            return CopyResult::TargetExists;
        default:
            return {CopyResult::Failed, renamed.Error};
    }
}

}  // namespace trackdeck::files
