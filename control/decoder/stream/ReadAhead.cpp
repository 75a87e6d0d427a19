#include "control/decoder/stream/ReadAhead.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace aurion {

size_t ReadFileAt(int fd, void* target, size_t count, uint64_t offset) {
    auto* bytes = static_cast<uint8_t*>(target);
    size_t done = 0;
    while (done < count) {
        const ssize_t got =
            pread(fd, bytes + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += static_cast<size_t>(got);
    }
    return done;
}

size_t ReadAhead::Read(int fd, void* target, size_t count, uint64_t offset) {
    if (count > Bytes / 2) {
        return ReadFileAt(fd, target, count, offset);
    }
    const bool held = offset >= m_start && offset - m_start + count <= m_size;
    if (!held) {
        m_bytes.resize(Bytes);
        m_start = offset;
        m_size = ReadFileAt(fd, m_bytes.data(), Bytes, offset);
    }
    // Fewer than count only where the file ends within what was just read.
    const size_t from = static_cast<size_t>(offset - m_start);
    const size_t n = std::min(count, m_size - std::min(from, m_size));
    if (n != 0) {
        std::memcpy(target, m_bytes.data() + from, n);
    }
    return n;
}

}  // namespace aurion
