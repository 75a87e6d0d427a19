// Text conversion between the 8-bit ANSI code page the system stores in byte
// formats (Windows-1252: the 128 bytes of an ID3v1 tag) and UTF-8, the encoding
// of every interface (the control's strings, the terminal, Qt, file names).
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Every byte has a character except the five that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D), which map to the C1 controls of the same value.
[[nodiscard]] std::string Utf8FromWindows1252(std::string_view text);

// A character that Windows-1252 cannot hold, or a byte that is not valid UTF-8,
// becomes "?".
[[nodiscard]] std::string Windows1252FromUtf8(std::string_view text);

}  // namespace platform
