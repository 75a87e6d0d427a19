// Where a user's files live: environment values and the home folder, for the
// layer's folders that follow the XDG conventions (registry, system folder).
#pragma once

#include <string>

namespace platform {

// The variable's value, or "" when it is not set.
[[nodiscard]] std::string EnvironmentValue(const char* name);
// $HOME, else the password database's home folder, else "/tmp".
[[nodiscard]] std::string HomeFolder();

}  // namespace platform
