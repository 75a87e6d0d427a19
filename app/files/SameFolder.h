// Whether two folder paths name one folder. The file system decides, not a
// comparison of letters: "/music/A/" and "/music/a/" are two folders on Linux, and a
// link can give one folder two paths.
#pragma once

#include <QString>

namespace trackdeck::files {

// True when both paths resolve to the same folder on disk, or, where either does
// not resolve, when they are the same text.
[[nodiscard]] bool SameFolder(const QString& first, const QString& second);

}  // namespace trackdeck::files
