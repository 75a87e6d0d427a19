#include "tests/support/ReadOnlyFile.h"

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstring>

namespace aurion::test {

namespace {

using CapabilityData = std::array<__user_cap_data_struct, 2>;

bool GetCapabilities(CapabilityData& data) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(SYS_capget, &header, data.data()) == 0;
}

bool SetCapabilities(CapabilityData& data) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(SYS_capset, &header, data.data()) == 0;
}

constexpr mode_t Readable = S_IRUSR | S_IRGRP | S_IROTH;
constexpr mode_t Searchable = S_IXUSR | S_IXGRP | S_IXOTH;

}  // namespace

ReadOnlyFile::ReadOnlyFile(std::string path) : m_path(std::move(path)) {
    struct stat info {};
    m_folder = stat(m_path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    chmod(m_path.c_str(), m_folder ? Readable | Searchable : Readable);
    CapabilityData data{};
    static_assert(sizeof(data) == sizeof(m_savedCapabilities));
    if (!GetCapabilities(data)) return;
    std::memcpy(m_savedCapabilities.data(), data.data(), sizeof(data));
    constexpr uint32_t Override = 1u << CAP_DAC_OVERRIDE;
    if ((data[0].effective & Override) == 0) return;
    data[0].effective &= ~Override;
    m_capabilityDropped = SetCapabilities(data);
}

ReadOnlyFile::~ReadOnlyFile() {
    if (m_capabilityDropped) {
        CapabilityData data{};
        std::memcpy(data.data(), m_savedCapabilities.data(), sizeof(data));
        SetCapabilities(data);
    }
    chmod(m_path.c_str(), m_folder ? Readable | Searchable | S_IWUSR : Readable | S_IWUSR);
}

bool ReadOnlyFile::Holds() const {
    const std::string probe = m_path + "/.read-only-probe";
    const int fd = m_folder ? open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600)
                            : open(m_path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return true;
    close(fd);
    if (m_folder) unlink(probe.c_str());
    return false;
}

}  // namespace aurion::test
