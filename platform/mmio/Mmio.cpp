#include "platform/mmio/Mmio.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <mutex>

namespace platform {

namespace {

struct FailureHook {
    std::mutex Guard;
    std::function<bool(MmioStep, unsigned)> Hook;
    std::array<unsigned, 9> Calls{};
};

FailureHook& Hook() {
    static FailureHook hook;
    return hook;
}

bool InjectedFailure(MmioStep step) {
    FailureHook& hook = Hook();
    std::lock_guard lock(hook.Guard);
    if (!hook.Hook) {
        return false;
    }
    unsigned& calls = hook.Calls[static_cast<size_t>(step)];
    ++calls;
    return hook.Hook(step, calls);
}

void PutLittleEndian32(uint8_t* out, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

}  // namespace

void SetMmioFailureHook(std::function<bool(MmioStep step, unsigned occurrence)> hook) {
    FailureHook& state = Hook();
    std::lock_guard lock(state.Guard);
    state.Hook = std::move(hook);
    state.Calls = {};
}

std::unique_ptr<MmioFile> MmioFile::OpenForWriting(const std::string& path, size_t bufferBytes,
                                                   int* systemError) {
    if (systemError != nullptr) {
        *systemError = 0;
    }
    if (InjectedFailure(MmioStep::Open) || bufferBytes == 0) {
        return nullptr;
    }
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (systemError != nullptr) {
            *systemError = errno;
        }
        return nullptr;
    }
    return std::unique_ptr<MmioFile>(new MmioFile(fd, bufferBytes));
}

MmioFile::MmioFile(int fd, size_t bufferBytes) : m_fd(fd), m_buffer(bufferBytes) {}

MmioFile::~MmioFile() {
    if (m_fd >= 0) {
        Flush();
        ::close(m_fd);
    }
}

bool MmioFile::WriteAt(uint64_t offset, std::span<const uint8_t> bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(m_fd, bytes.data() + done, bytes.size() - done,
                                   static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            m_lastError = n < 0 ? errno : 0;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

bool MmioFile::Flush() {
    if (m_next == 0) {
        return true;
    }
    if (!WriteAt(m_bufferOffset, std::span(m_buffer.data(), m_next))) {
        return false;
    }
    m_bufferOffset += m_next;
    m_next = 0;
    return true;
}

int64_t MmioFile::Write(std::span<const uint8_t> bytes) {
    if (m_fd < 0 || InjectedFailure(MmioStep::Write)) {
        return -1;
    }
    return WriteBuffered(bytes) ? static_cast<int64_t>(bytes.size()) : -1;
}

bool MmioFile::WriteBuffered(std::span<const uint8_t> bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        if (m_next == m_buffer.size() && !Flush()) {
            return false;
        }
        const size_t n = std::min(bytes.size() - done, m_buffer.size() - m_next);
        std::memcpy(m_buffer.data() + m_next, bytes.data() + done, n);
        m_next += n;
        done += n;
    }
    return true;
}

bool MmioFile::CreateChunk(MmChunkInfo& chunk, ChunkKind kind) {
    if (m_fd < 0 || InjectedFailure(MmioStep::CreateChunk)) {
        return false;
    }
    if (kind == ChunkKind::Riff) {
        chunk.Id = FOURCC_RIFF;
    }
    std::array<uint8_t, 12> header{};
    PutLittleEndian32(header.data(), chunk.Id);
    PutLittleEndian32(header.data() + 4, chunk.Size);
    size_t length = 8;
    if (kind == ChunkKind::Riff) {
        PutLittleEndian32(header.data() + 8, chunk.FormType);
        length = 12;
    }
    const uint64_t start = Position();
    if (!WriteBuffered(std::span(header.data(), length))) {
        return false;
    }
    chunk.DataOffset = start + 8;
    return true;
}

bool MmioFile::GetInfo(MmioInfo& info) {
    if (m_fd < 0 || InjectedFailure(MmioStep::GetInfo)) {
        return false;
    }
    info.Next = m_buffer.data() + m_next;
    info.EndWrite = m_buffer.data() + m_buffer.size();
    info.Dirty = false;
    return true;
}

bool MmioFile::SetInfo(const MmioInfo& info) {
    if (m_fd < 0 || InjectedFailure(MmioStep::SetInfo)) {
        return false;
    }
    return TakeWritePointer(info);
}

bool MmioFile::TakeWritePointer(const MmioInfo& info) {
    const uint8_t* begin = m_buffer.data();
    if (info.Next < begin || info.Next > begin + m_buffer.size()) {
        return false;
    }
    m_next = static_cast<size_t>(info.Next - begin);
    return true;
}

bool MmioFile::Advance(MmioInfo& info) {
    if (m_fd < 0 || InjectedFailure(MmioStep::Advance) || !TakeWritePointer(info) || !Flush()) {
        return false;
    }
    info.Next = m_buffer.data();
    info.EndWrite = m_buffer.data() + m_buffer.size();
    info.Dirty = false;
    return true;
}

bool MmioFile::Ascend(const MmChunkInfo& chunk) {
    if (m_fd < 0 || InjectedFailure(MmioStep::Ascend)) {
        return false;
    }
    const uint64_t end = Position();
    if (chunk.DataOffset < 8 || chunk.DataOffset > end || end - chunk.DataOffset > UINT32_MAX) {
        return false;
    }
    const auto size = static_cast<uint32_t>(end - chunk.DataOffset);
    if (size % 2 != 0) {
        const uint8_t pad = 0;
        if (!WriteBuffered(std::span(&pad, 1))) {
            return false;
        }
    }
    if (!Flush()) {
        return false;
    }
    std::array<uint8_t, 4> field{};
    PutLittleEndian32(field.data(), size);
    return WriteAt(chunk.DataOffset - 4, field);
}

bool MmioFile::Close() {
    if (m_fd < 0) {
        return false;
    }
    const bool injected = InjectedFailure(MmioStep::Close);
    const bool flushed = Flush();
    const bool closed = ::close(m_fd) == 0;
    if (!closed) {
        m_lastError = errno;
    }
    m_fd = -1;
    return !injected && flushed && closed;
}

bool MmioFile::Truncate(uint64_t length) {
    if (m_fd < 0 || InjectedFailure(MmioStep::Truncate) || length > m_bufferOffset) {
        return false;
    }
    if (::ftruncate(m_fd, static_cast<off_t>(length)) != 0) {
        m_lastError = errno;
        return false;
    }
    m_bufferOffset = length;
    m_next = 0;
    return true;
}

}  // namespace platform
