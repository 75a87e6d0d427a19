// The registry: keys below HKEY_LOCAL_MACHINE, named case-insensitively, each
// with a default value (name "") and named string values. Kept in one text file,
// $TRACKDECK_REGISTRY or else $XDG_CONFIG_HOME/trackdeck/registry
// (~/.config/trackdeck/registry), rewritten through a temporary file and a rename
// under a file lock, so concurrent writers never lose each other's keys.
// Key paths use "\" between their parts ("Software\Classes\CLSID\{...}"); empty
// parts are ignored, and the empty path is HKEY_LOCAL_MACHINE itself, which cannot be
// created, deleted or hold values.
//
// The file is text, one line each; parents come before their subkeys and every key
// and value keeps its place of creation:
//   "; ..."                  a comment (the first line names the file)
//   "[Software\Classes\X]"   starts a key: its full path below HKEY_LOCAL_MACHINE
//   "@=<data>"               the key's default value
//   "<name>=<data>"          a named value
// Key parts, names and data write "%XX" (two upper-case hexadecimal digits) in place
// of "%" and of every byte below 0x20 and 0x7F; names also write "=", "@", "[" and ";"
// that way. So data keeps backslashes and "=" as they are, and newlines become "%0A".
// A line of any other form is skipped when read.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::registry {

[[nodiscard]] std::string RegistryFilePath();

// Creates the key and its parents as needed and sets one string value.
bool SetValue(std::string_view keyPath, std::string_view valueName, std::string_view data);
// Creates the key (and parents) without setting a value.
bool CreateKey(std::string_view keyPath);
[[nodiscard]] bool KeyExists(std::string_view keyPath);
[[nodiscard]] std::optional<std::string> GetValue(std::string_view keyPath,
                                                  std::string_view valueName);
// Removes the key with all its subkeys; true when it existed.
bool DeleteTree(std::string_view keyPath);
// Names of the direct subkeys, as stored.
[[nodiscard]] std::vector<std::string> SubKeys(std::string_view keyPath);

}  // namespace platform::registry
