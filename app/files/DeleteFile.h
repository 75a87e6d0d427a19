// Deleting a file as a Linux desktop does: into the desktop's trash (the
// freedesktop trash), from which a person can get it back. A file the trash cannot
// take is deleted for good only when the user says so (the caller asks).
#pragma once

#include <QString>

namespace trackdeck::files {

// Clears the file's attributes and moves it to the trash, making the home trash
// first where it is missing. False when the trash did not take it.
[[nodiscard]] bool MoveToTrash(const QString& path);

// Deletes the file for good: 0, or the system's error number.
[[nodiscard]] int DeleteForGood(const QString& path);

// The question before a file the trash could not take is deleted for good.
[[nodiscard]] QString DeleteForGoodQuestion(const QString& entry);

}  // namespace trackdeck::files
