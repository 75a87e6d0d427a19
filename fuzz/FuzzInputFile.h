// The fuzz input as a file: the control reads files by name, so each input is
// written to one temporary file per process, replaced for every run and removed
// at exit. It lies in memory (/dev/shm) where the machine has that, as rewriting
// a file on disk thousands of times a second costs more than decoding it.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

namespace aurion::fuzz {

class FuzzInputFile {
public:
    explicit FuzzInputFile(const char* suffix) {
        const char* folder = std::getenv("TMPDIR");
        if (!folder || !*folder) folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        m_path = std::string(folder) + "/trackdeck-fuzz-" + std::to_string(getpid()) + suffix;
    }
    ~FuzzInputFile() { std::remove(m_path.c_str()); }
    FuzzInputFile(const FuzzInputFile&) = delete;
    FuzzInputFile& operator=(const FuzzInputFile&) = delete;

    [[nodiscard]] const std::string& Path() const { return m_path; }

    // False when the file cannot be written (the run is then skipped).
    [[nodiscard]] bool Write(std::span<const uint8_t> bytes) const {
        std::FILE* file = std::fopen(m_path.c_str(), "wb");
        if (!file) return false;
        const bool written =
            bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        return std::fclose(file) == 0 && written;
    }

    [[nodiscard]] std::vector<uint8_t> Read() const {
        std::vector<uint8_t> bytes;
        std::FILE* file = std::fopen(m_path.c_str(), "rb");
        if (!file) return bytes;
        uint8_t block[4096];
        size_t got = 0;
        while ((got = std::fread(block, 1, sizeof block, file)) > 0) {
            bytes.insert(bytes.end(), block, block + got);
        }
        std::fclose(file);
        return bytes;
    }

private:
    std::string m_path;
};

}  // namespace aurion::fuzz
