#include "platform/registry/Registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/registry/RegistryTree.h"
#include "platform/system/UserFolders.h"

namespace platform::registry {

namespace {

// An flock on the lock file beside the registry file, held for one read or one
// read-change-write. Each holder opens the file itself, so threads of one process
// exclude each other as separate processes do.
class FileLock {
public:
    FileLock(const std::string& path, int operation) {
        m_fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (m_fd < 0) return;
        int result;
        do {
            result = flock(m_fd, operation);
        } while (result != 0 && errno == EINTR);
        if (result != 0) {
            close(m_fd);
            m_fd = -1;
        }
    }
    ~FileLock() {
        if (m_fd >= 0) close(m_fd);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    [[nodiscard]] bool Held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

// A missing file is an empty registry.
bool ReadWholeFile(const std::string& path, std::string& text) {
    text.clear();
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT;
    char buffer[8192];
    bool ok = true;
    for (;;) {
        ssize_t count = read(fd, buffer, sizeof buffer);
        if (count > 0) {
            text.append(buffer, static_cast<size_t>(count));
        } else if (count == 0) {
            break;
        } else if (errno != EINTR) {
            ok = false;
            break;
        }
    }
    close(fd);
    return ok;
}

// Writes a temporary file beside the registry and renames it over the old one, so a
// crash leaves either the old or the new registry, never half of one.
bool ReplaceFile(const std::string& path, const std::string& text) {
    std::string temporary = path + ".tmp";
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    size_t written = 0;
    bool ok = true;
    while (written < text.size()) {
        ssize_t count = write(fd, text.data() + written, text.size() - written);
        if (count > 0) {
            written += static_cast<size_t>(count);
        } else if (count < 0 && errno != EINTR) {
            ok = false;
            break;
        }
    }
    if (ok && fdatasync(fd) != 0) ok = false;
    if (close(fd) != 0) ok = false;
    if (ok && rename(temporary.c_str(), path.c_str()) != 0) ok = false;
    if (!ok) unlink(temporary.c_str());
    return ok;
}

// Runs `change(root)` on the registry as it is on disk and writes it back when the
// change reports that it changed something. False when the file cannot be read or written.
template <class Change>
bool Modify(Change change) {
    std::string path = RegistryFilePath();
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    FileLock lock(path + ".lock", LOCK_EX);
    if (!lock.Held()) return false;
    std::string text;
    if (!ReadWholeFile(path, text)) return false;
    RegistryKey root("");
    ParseRegistryText(text, root);
    if (!change(root)) return true;
    return ReplaceFile(path, FormatRegistryText(root));
}

template <class Query>
auto Read(Query query) {
    std::string path = RegistryFilePath();
    RegistryKey root("");
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        FileLock lock(path + ".lock", LOCK_SH);
        std::string text;
        if (ReadWholeFile(path, text)) ParseRegistryText(text, root);
    }
    return query(static_cast<const RegistryKey&>(root));
}

const RegistryKey* FindKey(const RegistryKey& root, std::string_view keyPath) {
    const RegistryKey* key = &root;
    for (std::string_view part : SplitKeyPath(keyPath)) {
        key = key->FindSubKey(part);
        if (key == nullptr) return nullptr;
    }
    return key;
}

// Creates the missing parts of the path; `changed` tells whether any was missing.
RegistryKey& CreatePath(RegistryKey& root, const std::vector<std::string_view>& parts,
                        bool& changed) {
    RegistryKey* key = &root;
    for (std::string_view part : parts) {
        if (RegistryKey* existing = key->FindSubKey(part)) {
            key = existing;
        } else {
            key = &key->CreateSubKey(part);
            changed = true;
        }
    }
    return *key;
}

}  // namespace

std::string RegistryFilePath() {
    std::string explicitPath = EnvironmentValue("TRACKDECK_REGISTRY");
    if (!explicitPath.empty()) return explicitPath;
    return UserConfigFolder() + "/trackdeck/registry";
}

bool SetValue(std::string_view keyPath, std::string_view valueName, std::string_view data) {
    std::vector<std::string_view> parts = SplitKeyPath(keyPath);
    if (parts.empty()) return false;
    return Modify([&](RegistryKey& root) {
        bool changed = false;
        RegistryKey& key = CreatePath(root, parts, changed);
        if (key.SetValue(valueName, data)) changed = true;
        return changed;
    });
}

bool CreateKey(std::string_view keyPath) {
    std::vector<std::string_view> parts = SplitKeyPath(keyPath);
    if (parts.empty()) return false;
    return Modify([&](RegistryKey& root) {
        bool changed = false;
        CreatePath(root, parts, changed);
        return changed;
    });
}

bool KeyExists(std::string_view keyPath) {
    return Read([&](const RegistryKey& root) { return FindKey(root, keyPath) != nullptr; });
}

std::optional<std::string> GetValue(std::string_view keyPath, std::string_view valueName) {
    return Read([&](const RegistryKey& root) -> std::optional<std::string> {
        const RegistryKey* key = FindKey(root, keyPath);
        if (key == nullptr) return std::nullopt;
        const std::string* data = key->FindValue(valueName);
        if (data == nullptr) return std::nullopt;
        return *data;
    });
}

bool DeleteTree(std::string_view keyPath) {
    std::vector<std::string_view> parts = SplitKeyPath(keyPath);
    if (parts.empty()) return false;  // the root itself stays
    bool existed = false;
    bool written = Modify([&](RegistryKey& root) {
        RegistryKey* parent = &root;
        for (size_t i = 0; i + 1 < parts.size() && parent != nullptr; ++i)
            parent = parent->FindSubKey(parts[i]);
        existed = parent != nullptr && parent->RemoveSubKey(parts.back());
        return existed;
    });
    return existed && written;
}

std::vector<std::string> SubKeys(std::string_view keyPath) {
    return Read([&](const RegistryKey& root) {
        std::vector<std::string> names;
        if (const RegistryKey* key = FindKey(root, keyPath))
            for (const auto& subKey : key->SubKeys()) names.push_back(subKey->Name());
        return names;
    });
}

}  // namespace platform::registry
