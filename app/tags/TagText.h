// The text helpers of the program's tag handling: fixed-width fields filled with
// blanks, and tag text freed of the NUL padding other programs write.
#pragma once

#include <QString>

namespace trackdeck::tags {

// The text followed by blanks up to `length` characters, or its first `length`.
[[nodiscard]] QString SpaceOut(const QString& text, int length);

// Removes trailing NULs, then cuts the text before its first NUL ("AB\0CD" is "AB").
void CleanTagText(QString& text);

}  // namespace trackdeck::tags
