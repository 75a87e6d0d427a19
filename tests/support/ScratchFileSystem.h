// A small file system of its own for one test, to fill or to make read-only: a
// tmpfs of the given size mounted on a fresh folder, unmounted and removed on
// destruction. Mounting needs the right to (root, or CAP_SYS_ADMIN); where it is
// missing, Mounted() is false and the test takes another way or skips.
#pragma once

#include <cstdint>
#include <string>

namespace aurion::test {

class ScratchFileSystem {
public:
    explicit ScratchFileSystem(uint64_t bytes);
    ~ScratchFileSystem();
    ScratchFileSystem(const ScratchFileSystem&) = delete;
    ScratchFileSystem& operator=(const ScratchFileSystem&) = delete;

    [[nodiscard]] bool Mounted() const { return m_mounted; }
    // The mount point, ending with "/".
    [[nodiscard]] const std::string& Folder() const { return m_folder; }
    // What the system said when mounting failed.
    [[nodiscard]] const std::string& Problem() const { return m_problem; }
    // Files on it stay readable; writing them fails with "Read-only file system".
    [[nodiscard]] bool MakeReadOnly();

private:
    std::string m_folder;
    std::string m_problem;
    bool m_mounted = false;
};

}  // namespace aurion::test
