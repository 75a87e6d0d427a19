// Deleting a file as a Linux desktop does: into the desktop's trash (the
// freedesktop trash), from which a person can get it back; deleted for good only
// where the file's file system has no trash.
#pragma once

#include <QString>

namespace trackdeck::files {

// Clears the file's attributes, then moves it to the trash or, failing that,
// deletes it. False when the file is still there.
bool DeleteFile(const QString& path);

}  // namespace trackdeck::files
