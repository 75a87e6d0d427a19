// The registration entries that the program writes for the control it installs
// into the system folder, in the order written, below Software\CLASSES.
#pragma once

#include <string>
#include <vector>

namespace trackdeck {

struct RegistrationRow {
    std::string Key;        // below HKEY_LOCAL_MACHINE\Software\CLASSES
    std::string ValueName;  // "" is the key's default value
    std::string Data;
};

// `systemFolder` ends with "/" and is written as it is on disk: an upper-cased
// path names no file on a case-sensitive file system.
[[nodiscard]] std::vector<RegistrationRow> ControlRegistrationRows(const std::string& systemFolder);

}  // namespace trackdeck
