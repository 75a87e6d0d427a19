#include "tools/aurion/FileChecks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace aurion::host {

namespace {

std::optional<std::string> OpenReason(const std::string& path, int flags) {
    // Non-blocking, so that a named pipe cannot hang the look.
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::string(std::strerror(errno));
    struct stat status {};
    const bool folder = ::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode);
    ::close(fd);
    if (folder) return std::string(std::strerror(EISDIR));
    return std::nullopt;
}

}  // namespace

std::optional<std::string> UnreadableReason(const std::string& path) {
    return OpenReason(path, O_RDONLY);
}

std::optional<std::string> UnwritableReason(const std::string& path) {
    return OpenReason(path, O_RDWR);
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::nullopt;
    return FileIdentity{status.st_dev, status.st_ino, S_ISDIR(status.st_mode)};
}

bool NameTaken(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

}  // namespace aurion::host
