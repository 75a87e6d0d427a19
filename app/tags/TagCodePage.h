// The code page in which the program reads and writes the text of ID3v1 tags: one
// byte per character, chosen in the options dialog. Windows-1252 is the default and
// what a settings file without the choice means. The choice holds for the whole
// process (the search reads tags on a thread of its own, so it is kept atomically).
#pragma once

#include <QString>
#include <array>

namespace trackdeck::tags {

enum class CodePage { Windows1252, Windows1250, Windows1251 };

inline constexpr std::array<CodePage, 3> AllCodePages = {
    CodePage::Windows1252, CodePage::Windows1250, CodePage::Windows1251};

[[nodiscard]] CodePage TagCodePage();
void UseTagCodePage(CodePage page);

// The value kept in the settings file ("1252", "1250", "1251"), and back; anything
// else, an empty value included, reads as Windows-1252.
[[nodiscard]] QString CodePageSetting(CodePage page);
[[nodiscard]] CodePage CodePageFromSetting(const QString& value);

// "Windows-1251", and the longer name for the options dialog.
[[nodiscard]] QString CodePageName(CodePage page);
[[nodiscard]] QString CodePageCaption(CodePage page);

}  // namespace trackdeck::tags
