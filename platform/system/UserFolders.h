// Where a user's files live: environment values, the home folder and the
// configuration folder, for the folders that follow the XDG conventions (registry,
// system folder, the settings of an installed program).
#pragma once

#include <string>

namespace platform {

// The variable's value, or "" when it is not set.
[[nodiscard]] std::string EnvironmentValue(const char* name);
// $HOME, else the password database's home folder, else "/tmp".
[[nodiscard]] std::string HomeFolder();
// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config; without a final "/".
[[nodiscard]] std::string UserConfigFolder();
// $XDG_STATE_HOME when it is an absolute path, else ~/.local/state; without a final "/".
[[nodiscard]] std::string UserStateFolder();

}  // namespace platform
