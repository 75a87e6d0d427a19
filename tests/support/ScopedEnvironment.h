// Points the platform's registry file and system folder at a fresh temporary
// folder for the life of one test, and restores the previous environment after.
// The folder (and everything a test put in it) is removed on destruction. It changes
// the process environment: make it before a test starts threads, end it after they end.
//
//     platform::test::ScopedEnvironment env;   // TRACKDECK_REGISTRY, TRACKDECK_SYSTEM_DIR
//     env.Folder()                              // "/tmp/trackdeck-test-XXXXXX/"
#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "tests/support/ScopedVariable.h"

namespace platform::test {

class ScopedEnvironment {
public:
    ScopedEnvironment() {
        std::error_code ignored;
        std::string pattern =
            (std::filesystem::temp_directory_path(ignored) / "trackdeck-test-XXXXXX").string();
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (mkdtemp(buffer.data()) != nullptr) m_folder = std::string(buffer.data()) + "/";
        if (!m_folder.empty()) {
            m_registry.emplace("TRACKDECK_REGISTRY", RegistryFile());
            m_systemDir.emplace("TRACKDECK_SYSTEM_DIR", SystemDir());
        }
    }
    ~ScopedEnvironment() {
        m_registry.reset();
        m_systemDir.reset();
        if (!m_folder.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(m_folder, ignored);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    // The temporary folder, ending with "/"; empty when it could not be made.
    [[nodiscard]] const std::string& Folder() const { return m_folder; }
    [[nodiscard]] std::string RegistryFile() const { return m_folder + "registry"; }
    [[nodiscard]] std::string SystemDir() const { return m_folder + "system/"; }

private:
    std::string m_folder;
    std::optional<ScopedVariable> m_registry;
    std::optional<ScopedVariable> m_systemDir;
};

}  // namespace platform::test
