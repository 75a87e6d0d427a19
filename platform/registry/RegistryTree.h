// The registry's keys in memory and their text form in the registry file.
// Key and value names compare without regard to ASCII case and keep the case
// they were created with; subkeys and values keep their creation order, so a
// file read and written back is unchanged. The text form is described in
// Registry.h.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform::registry {

class RegistryKey {
public:
    explicit RegistryKey(std::string name) : m_name(std::move(name)) {}
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    [[nodiscard]] const std::string& Name() const { return m_name; }
    [[nodiscard]] RegistryKey* FindSubKey(std::string_view name) const;
    RegistryKey& CreateSubKey(std::string_view name);
    // True when the subkey existed.
    bool RemoveSubKey(std::string_view name);
    [[nodiscard]] const std::vector<std::unique_ptr<RegistryKey>>& SubKeys() const {
        return m_subKeys;
    }

    [[nodiscard]] const std::string* FindValue(std::string_view name) const;
    // True when the stored data changed (or the value is new).
    bool SetValue(std::string_view name, std::string_view data);
    [[nodiscard]] const std::vector<std::pair<std::string, std::string>>& Values() const {
        return m_values;
    }

private:
    std::string m_name;
    std::vector<std::pair<std::string, std::string>> m_values;
    std::vector<std::unique_ptr<RegistryKey>> m_subKeys;
};

// The parts of a key path ("Software\Classes\X"); empty parts are dropped.
[[nodiscard]] std::vector<std::string_view> SplitKeyPath(std::string_view keyPath);

[[nodiscard]] bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Reads the text form into `root` (HKEY_LOCAL_MACHINE); lines it does not know are skipped.
void ParseRegistryText(std::string_view text, RegistryKey& root);
[[nodiscard]] std::string FormatRegistryText(const RegistryKey& root);

}  // namespace platform::registry
