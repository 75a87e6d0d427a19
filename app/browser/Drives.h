// Drives are the mounted file systems that hold files ("/" first); a drive's root
// is its mount point. Virtual file systems (proc, sys, cgroup and the like) are
// not drives.
#pragma once

#include <QString>
#include <QStringList>

namespace trackdeck::browser {

// Mount points, each ending with "/", "/" first and the rest sorted.
[[nodiscard]] QStringList Drives();
// The mount point that holds the path: the longest drive that prefixes it.
[[nodiscard]] QString DriveOf(const QString& path, const QStringList& drives);

}  // namespace trackdeck::browser
