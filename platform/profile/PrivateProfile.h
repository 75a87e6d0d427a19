// Private-profile settings: one key of one section of an INI text file at a time.
// A line "[Name]" opens a section, lines "key=value" follow it. Section and key
// names are looked up without regard to case; blanks around names and values are
// not part of them. A missing file, section or key gives the default. A write
// creates the file, the section and the key as needed and changes only the line
// of that key (or adds one): every other line, comments and unknown sections
// included, stays byte for byte. Writes go to a temporary file beside the file
// that is then renamed over it, so a crash never leaves half a file.
#pragma once

#include <string>
#include <string_view>

namespace platform {

[[nodiscard]] std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                                  std::string_view defaultValue,
                                                  const std::string& file);

// False when the file could not be written; it is then unchanged.
bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, const std::string& file);

}  // namespace platform
