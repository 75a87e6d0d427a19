// Whether two folder paths name the same folder. On Linux that is for the file
// system to say, not a comparison of letters: "Musik/" and "musik/" are two
// folders on most file systems and one on a case-insensitive one, and a link
// names the folder it points to.
#pragma once

#include <QString>

namespace trackdeck {

// The same folder on disk; for paths that name no folder, the same text.
[[nodiscard]] bool SameFolder(const QString& a, const QString& b);

}  // namespace trackdeck
