// Clearing a file's attributes before it is moved or deleted: here that means
// making it writable by its owner, so read-only files go as any other.
#pragma once

#include <QString>

namespace trackdeck::files {

// Adds the owner's write permission; false when the permissions cannot be changed.
bool ClearAttributes(const QString& path);

}  // namespace trackdeck::files
