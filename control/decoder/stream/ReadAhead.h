// The stream's sequential reads, served from one larger read of the file: frame
// after frame, the header search and the frame body then cost a copy each instead
// of a system call each. A read outside what is held (a seek, a resynchronisation)
// refills it from there; a read larger than half of it goes to the file directly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace aurion {

// Reads up to count bytes at offset; fewer only at the end of the file or on error.
[[nodiscard]] size_t ReadFileAt(int fd, void* target, size_t count, uint64_t offset);

class ReadAhead {
public:
    static constexpr size_t Bytes = 64 * 1024;

    // Forgets what is held (a file opened or closed).
    void Reset() { m_size = 0; }
    // As ReadFileAt, from what is held where it can.
    [[nodiscard]] size_t Read(int fd, void* target, size_t count, uint64_t offset);

private:
    std::vector<uint8_t> m_bytes;
    uint64_t m_start = 0;  // file offset of m_bytes[0]
    size_t m_size = 0;     // bytes held
};

}  // namespace aurion
