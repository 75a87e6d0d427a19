// Text in one of the tag code pages and back, one byte per character.
#pragma once

#include <QString>
#include <cstddef>
#include <optional>
#include <string>

#include "app/tags/TagCodePage.h"

namespace trackdeck::tags {

// Every byte is one character (NULs included).
[[nodiscard]] QString TextFromCodePage(const char* bytes, std::size_t count, CodePage page);

// One byte per character; a character the code page cannot hold becomes "?", also
// one of two UTF-16 units.
[[nodiscard]] std::string CodePageBytes(const QString& text, CodePage page);

// The first character of the text that the code page cannot hold, if any.
[[nodiscard]] std::optional<char32_t> FirstCharacterNotIn(const QString& text, CodePage page);

}  // namespace trackdeck::tags
