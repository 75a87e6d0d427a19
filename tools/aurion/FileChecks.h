// The host's own look at the files a command names, before the control gets them:
// the control answers a missing file with "Unable to read MPEG-Header", where the
// system can say why; and only the host can see that a decode would write over its
// own input or over another file.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace aurion::host {

// Nothing when `path` can be opened for reading as a file; else the system's reason
// ("No such file or directory", "Permission denied", "Is a directory").
[[nodiscard]] std::optional<std::string> UnreadableReason(const std::string& path);
// Nothing when the file can be opened for reading and writing; else the reason.
[[nodiscard]] std::optional<std::string> UnwritableReason(const std::string& path);

// A file as the system knows it, whatever name leads to it (links followed).
struct FileIdentity {
    dev_t Device = 0;
    ino_t Inode = 0;
    bool IsFolder = false;

    [[nodiscard]] bool SameFileAs(const FileIdentity& other) const {
        return Device == other.Device && Inode == other.Inode;
    }
};
// Nothing when nothing is there (or a link leads nowhere).
[[nodiscard]] std::optional<FileIdentity> IdentityOf(const std::string& path);
// Whether anything has that name, a link that leads nowhere included.
[[nodiscard]] bool NameTaken(const std::string& path);

}  // namespace aurion::host
