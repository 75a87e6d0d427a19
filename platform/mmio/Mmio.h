// Buffered RIFF file I/O in the manner of the platform's multimedia file
// functions, for writing only: a file opened for writing (created or truncated)
// with an I/O buffer the layer allocates, RIFF chunks and sub-chunks whose sizes
// are filled in on ascending (an odd chunk is padded to an even size), writes
// through the buffer, and direct access to the buffer (GetInfo, Advance,
// SetInfo). Every call reports failure, and a failed system call leaves its reason
// (errno) for LastError. Writes are sequential: everything up to the buffer's write
// pointer belongs to the file and is written when the buffer is advanced or
// flushed. A test hook can make any single step fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace platform {

using FourCC = uint32_t;

constexpr FourCC MakeFourCC(char a, char b, char c, char d) {
    return static_cast<uint32_t>(static_cast<uint8_t>(a)) |
           (static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8) |
           (static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16) |
           (static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24);
}

constexpr FourCC FOURCC_RIFF = MakeFourCC('R', 'I', 'F', 'F');

// A chunk being written: its id, the size written when it was created, the form
// type of a RIFF chunk, and the file offset of its data (just after the size).
struct MmChunkInfo {
    FourCC Id = 0;
    uint32_t Size = 0;
    FourCC FormType = 0;
    uint64_t DataOffset = 0;
};

enum class ChunkKind { Plain, Riff };

// The state of the I/O buffer for direct access: the caller writes at Next up to
// EndWrite, sets Dirty once it has written, and hands the state back with
// Advance or SetInfo.
struct MmioInfo {
    uint8_t* Next = nullptr;
    uint8_t* EndWrite = nullptr;
    bool Dirty = false;
};

// The steps a test can make fail.
enum class MmioStep {
    Open,
    CreateChunk,
    Write,
    GetInfo,
    Advance,
    SetInfo,
    Ascend,
    Close,
    Truncate
};

class MmioFile {
public:
    static constexpr size_t DefaultBufferBytes = 8192;

    // Null when the file cannot be created or truncated for writing; `systemError`,
    // when given, then receives the reason (errno, 0 for an injected failure).
    [[nodiscard]] static std::unique_ptr<MmioFile> OpenForWriting(
        const std::string& path, size_t bufferBytes = DefaultBufferBytes,
        int* systemError = nullptr);
    // Closes the file without reporting; the pending buffer is still written.
    ~MmioFile();
    MmioFile(const MmioFile&) = delete;
    MmioFile& operator=(const MmioFile&) = delete;

    // Writes the chunk's header at the current position: the id ("RIFF" for
    // ChunkKind::Riff), chunk.Size, and for a RIFF chunk its form type. Sets
    // chunk.DataOffset.
    bool CreateChunk(MmChunkInfo& chunk, ChunkKind kind);
    // Bytes written (all of them), or -1.
    int64_t Write(std::span<const uint8_t> bytes);
    bool GetInfo(MmioInfo& info);
    // Takes info.Next as the write position, writes the buffer's contents to the
    // file and hands back an empty buffer in info.
    bool Advance(MmioInfo& info);
    // Takes info.Next as the write position; false when it lies outside the buffer.
    bool SetInfo(const MmioInfo& info);
    // Writes the chunk's true size at its size field, pads an odd chunk with one
    // zero byte, and leaves the position just after the chunk.
    bool Ascend(const MmChunkInfo& chunk);
    // Writes what is pending and closes; later calls fail.
    bool Close();
    // Gives up what the buffer holds and cuts the file to `length`, at most
    // WrittenBytes(): after a failed write, what reached the file can still be
    // finished (Ascend, Close) as a shorter file.
    bool Truncate(uint64_t length);

    [[nodiscard]] uint64_t Position() const { return m_bufferOffset + m_next; }
    // The bytes that have reached the file; the rest of Position() is still buffered.
    [[nodiscard]] uint64_t WrittenBytes() const { return m_bufferOffset; }
    // The errno of the last system call that failed (0: none, or an injected failure).
    [[nodiscard]] int LastError() const { return m_lastError; }

private:
    MmioFile(int fd, size_t bufferBytes);
    bool Flush();
    bool WriteBuffered(std::span<const uint8_t> bytes);
    bool TakeWritePointer(const MmioInfo& info);
    bool WriteAt(uint64_t offset, std::span<const uint8_t> bytes);

    int m_fd = -1;
    std::vector<uint8_t> m_buffer;
    uint64_t m_bufferOffset = 0;  // file offset of m_buffer[0]
    size_t m_next = 0;            // bytes of the buffer that belong to the file
    int m_lastError = 0;
};

// For tests: every call of an mmio step first asks the hook, with the step and
// how often that step has been called since the hook was set (from 1); true
// makes that call fail. An empty hook removes it.
void SetMmioFailureHook(std::function<bool(MmioStep step, unsigned occurrence)> hook);

}  // namespace platform
