// Drives are the places a desktop's file manager lists: the root, the home folder,
// file systems mounted under /media, /run/media/USER and /mnt, and those of removable
// drives wherever they are mounted. A drive's root is its mount point. The machine's
// own mounts (/boot, /var, containers' bind mounts, proc, sys and the like) are not
// drives: nobody keeps a collection there.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace trackdeck::browser {

// One line of the mount table (/proc/self/mounts), its escapes ("\040") undone.
struct Mount {
    QString Source;
    QString Point;
    QString Type;
    QString Options;
};

[[nodiscard]] QList<Mount> ParseMountTable(const QByteArray& table);

// What decides whether a mount is a drive besides the mount itself.
struct DriveRules {
    QString Home;  // the user's home folder
    QString User;  // the user's login name (/run/media/USER)
    // Whether the mount's source is a removable drive (a USB stick, a card).
    std::function<bool(const QString& source)> Removable;
};

[[nodiscard]] bool IsDrive(const Mount& mount, const DriveRules& rules);

// The drives among the mounts, each ending with "/": "/" first, then the home
// folder, then the others sorted.
[[nodiscard]] QStringList DrivesOf(const QList<Mount>& mounts, const DriveRules& rules);

// The drives of this machine now, for the user running the program.
[[nodiscard]] QStringList Drives();

// The mount point that holds the path: the longest drive that prefixes it.
[[nodiscard]] QString DriveOf(const QString& path, const QStringList& drives);

}  // namespace trackdeck::browser
