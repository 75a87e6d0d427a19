// Makes a file or a folder read-only for the calling thread while the object lives,
// also when the tests run as root: it loses its write permissions (a folder keeps
// the right to be listed and entered), and a thread that could override them gives
// up that capability (CAP_DAC_OVERRIDE, per thread on Linux) from its effective set
// until destruction. Everything the control does for a dispatch call, and every file
// operation of the desktop program, runs on the caller's thread, so that is enough.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace aurion::test {

class ReadOnlyFile {
public:
    explicit ReadOnlyFile(std::string path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // Whether opening the file for writing (making a file in the folder) now fails on
    // this thread.
    [[nodiscard]] bool Holds() const;

private:
    std::string m_path;
    bool m_folder = false;
    bool m_capabilityDropped = false;
    std::array<uint32_t, 6> m_savedCapabilities{};  // two capability data records
};

}  // namespace aurion::test
