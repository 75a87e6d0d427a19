#include "control/player/TagFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <optional>
#include <span>

#include "control/decoder/stream/LeadingId3v2Tag.h"
#include "control/decoder/stream/ProbeFileHeader.h"
#include "control/player/Id3v1Codec.h"

namespace aurion {

namespace {

// A file descriptor closed when it goes out of scope.
class OpenFile {
public:
    OpenFile(const std::string& path, int flags) : m_fd(::open(path.c_str(), flags | O_CLOEXEC)) {}
    ~OpenFile() {
        if (m_fd >= 0) ::close(m_fd);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    [[nodiscard]] bool IsOpen() const { return m_fd >= 0; }
    [[nodiscard]] int Fd() const { return m_fd; }

    [[nodiscard]] std::optional<uint64_t> Size() const {
        struct stat status {};
        if (fstat(m_fd, &status) != 0 || status.st_size < 0) return std::nullopt;
        return static_cast<uint64_t>(status.st_size);
    }

    [[nodiscard]] bool ReadAt(uint64_t offset, std::span<uint8_t> bytes) const {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t got = pread(m_fd, bytes.data() + done, bytes.size() - done,
                                      static_cast<off_t>(offset + done));
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) return false;
            done += static_cast<size_t>(got);
        }
        return true;
    }

    [[nodiscard]] bool WriteAt(uint64_t offset, std::span<const uint8_t> bytes) const {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t wrote = pwrite(m_fd, bytes.data() + done, bytes.size() - done,
                                         static_cast<off_t>(offset + done));
            if (wrote < 0 && errno == EINTR) continue;
            if (wrote <= 0) return false;
            done += static_cast<size_t>(wrote);
        }
        return true;
    }

    // True when the file now has that size.
    bool Truncate(uint64_t size) const { return ftruncate(m_fd, static_cast<off_t>(size)) == 0; }

    // Whether the file's last 128 bytes begin with "TAG" (never for a shorter file).
    [[nodiscard]] bool EndsInTag(uint64_t size) const {
        std::array<uint8_t, id3v1::Marker.Width> marker{};
        return size >= id3v1::RecordBytes && ReadAt(size - id3v1::RecordBytes, marker) &&
               StartsWithTagMarker(marker);
    }

private:
    int m_fd;
};

}  // namespace

bool TagFile::Probe() {
    m_hasTag = false;
    m_record = TagRecord{};
    // Reading is all the probe needs: a read-only file still shows its tag (and
    // WriteTag answers 715 for it). Non-blocking, so that a named pipe cannot hang
    // the probe; it makes no difference to a regular file.
    OpenFile file(m_path, O_RDONLY | O_NONBLOCK);
    if (!file.IsOpen()) return false;
    const std::optional<uint64_t> size = file.Size();
    if (!size) return false;
    m_fileSize = *size;
    const bool isMpeg = ProbeFileHeader(file.Fd(), LeadingId3v2TagBytes(file.Fd(), m_fileSize));
    if (!isMpeg || m_fileSize < id3v1::RecordBytes) return isMpeg;

    Id3v1Bytes bytes{};
    if (!file.ReadAt(m_fileSize - id3v1::RecordBytes, bytes)) return isMpeg;
    if (std::optional<TagRecord> record = ReadId3v1(bytes)) {
        m_record = std::move(*record);
        m_hasTag = true;
    }
    return isMpeg;
}

TagFileResult TagFile::Write(const std::string& path, const TagRecord& changes, bool modified) {
    OpenFile file(path, O_RDWR);
    if (!file.IsOpen()) return TagFileResult::CannotOpen;
    if (!modified) return TagFileResult::Done;

    if (!m_hasTag) m_record = TagRecord{};
    MergeTagRecord(changes, m_record);
    m_hasTag = true;

    const std::optional<uint64_t> size = file.Size();
    if (!size) return TagFileResult::WriteFailed;
    const bool replace = file.EndsInTag(*size);
    const uint64_t offset = replace ? *size - id3v1::RecordBytes : *size;
    if (!file.WriteAt(offset, BuildId3v1(m_record))) {
        // Part of a tag appended to the audio would be played as part of it.
        if (!replace) file.Truncate(*size);
        return TagFileResult::WriteFailed;
    }
    m_fileSize = offset + id3v1::RecordBytes;
    return TagFileResult::Done;
}

TagFileResult TagFile::Remove() {
    if (!m_hasTag) return TagFileResult::NoTag;
    OpenFile file(m_path, O_RDWR);
    if (!file.IsOpen()) return TagFileResult::CannotOpen;
    const std::optional<uint64_t> size = file.Size();
    if (!size) return TagFileResult::WriteFailed;
    if (!file.EndsInTag(*size)) return TagFileResult::Done;
    const uint64_t shortened = *size - id3v1::RecordBytes;
    if (!file.Truncate(shortened)) return TagFileResult::WriteFailed;
    m_fileSize = shortened;
    return TagFileResult::Done;
}

}  // namespace aurion
