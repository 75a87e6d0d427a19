#include "app/browser/Drives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

#include <pwd.h>
#include <unistd.h>

namespace trackdeck::browser {

namespace {

// File systems that hold no user files.
const QSet<QString>& VirtualFileSystems() {
    static const QSet<QString> types{
        "proc",       "sysfs",    "cgroup",    "cgroup2",    "devpts",      "devtmpfs",
        "mqueue",     "debugfs",  "tracefs",   "securityfs", "pstore",      "bpf",
        "configfs",   "fusectl",  "hugetlbfs", "autofs",     "binfmt_misc", "nsfs",
        "rpc_pipefs", "efivarfs", "selinuxfs", "ramfs",      "squashfs"};
    return types;
}

// The mount table writes blanks and the like as octal escapes ("\040").
QString Unescaped(const QByteArray& field) {
    QByteArray bytes;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                bytes += static_cast<char>(code);
                i += 3;
                continue;
            }
        }
        bytes += field[i];
    }
    return QFile::decodeName(bytes);
}

QString WithSlash(const QString& folder) { return folder.endsWith('/') ? folder : folder + '/'; }

// The number of folders the point lies below `base` ("/media/" and "/media/x/" give
// 0 and 1), or -1 when it does not lie in it.
int DepthBelow(const QString& point, const QString& base) {
    const QString folder = WithSlash(point);
    if (!folder.startsWith(base)) return -1;
    return static_cast<int>(folder.mid(base.size()).count('/'));
}

bool Hidden(const QString& pathBelowHome) {
    return pathBelowHome.startsWith('.') || pathBelowHome.contains("/.");
}

// Where the desktop's mounting service puts the drives it mounts, and where people
// mount their own: /media/LABEL (/media/USER/LABEL), /run/media/USER/LABEL, /mnt and
// /mnt/NAME, and anything below the home folder that is not hidden.
bool InUserPlace(const QString& point, const DriveRules& rules) {
    const int media = DepthBelow(point, "/media/");
    if (media == 1 || media == 2) return true;
    if (!rules.User.isEmpty() && DepthBelow(point, "/run/media/" + rules.User + '/') == 1)
        return true;
    const int mnt = DepthBelow(point, "/mnt/");
    if (mnt == 0 || mnt == 1) return true;
    const QString home = WithSlash(rules.Home);
    return rules.Home.size() > 1 && DepthBelow(point, home) > 0 &&
           !Hidden(WithSlash(point).mid(home.size()));
}

bool RemovableBlockDevice(const QString& source) {
    if (!source.startsWith("/dev/")) return false;
    const QString name = QFileInfo(QFileInfo(source).canonicalFilePath()).fileName();
    if (name.isEmpty()) return false;
    // A partition's own folder has no "removable"; its disk's folder, above it, has.
    QDir device(QFileInfo("/sys/class/block/" + name).canonicalFilePath());
    if (device.exists("partition")) device.cdUp();
    QFile removable(device.filePath("removable"));
    return removable.open(QIODevice::ReadOnly) && removable.read(1) == "1";
}

}  // namespace

QList<Mount> ParseMountTable(const QByteArray& table) {
    QList<Mount> mounts;
    for (const QByteArray& line : table.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 4) continue;
        mounts.append({Unescaped(fields[0]), Unescaped(fields[1]), QString::fromLatin1(fields[2]),
                       QString::fromLatin1(fields[3])});
    }
    return mounts;
}

bool IsDrive(const Mount& mount, const DriveRules& rules) {
    if (VirtualFileSystems().contains(mount.Type)) return false;
    const QStringList options = mount.Options.split(',');
    // The marks an administrator gives a mount for the desktop's file managers.
    if (options.contains("x-gvfs-hide")) return false;
    if (mount.Point == "/" || options.contains("x-gvfs-show")) return true;
    if (InUserPlace(mount.Point, rules)) return true;
    return rules.Removable && rules.Removable(mount.Source);
}

QStringList DrivesOf(const QList<Mount>& mounts, const DriveRules& rules) {
    QStringList drives{"/"};
    const QString home = WithSlash(rules.Home);
    if (rules.Home.size() > 1 && QFileInfo(rules.Home).isDir()) drives.append(home);
    const qsizetype fixed = drives.size();
    for (const Mount& mount : mounts) {
        if (!IsDrive(mount, rules)) continue;
        const QString drive = WithSlash(mount.Point);
        if (!drives.contains(drive)) drives.append(drive);
    }
    std::sort(drives.begin() + fixed, drives.end());
    return drives;
}

QStringList Drives() {
    QFile table("/proc/self/mounts");
    const QByteArray text = table.open(QIODevice::ReadOnly) ? table.readAll() : QByteArray();
    const passwd* account = getpwuid(geteuid());
    const QString user = account != nullptr ? QString::fromLocal8Bit(account->pw_name)
                                            : QString::fromLocal8Bit(qgetenv("USER"));
    return DrivesOf(ParseMountTable(text), DriveRules{QDir::homePath(), user, RemovableBlockDevice});
}

QString DriveOf(const QString& path, const QStringList& drives) {
    QString best = "/";
    for (const QString& drive : drives) {
        if (WithSlash(path).startsWith(drive) && drive.size() > best.size()) best = drive;
    }
    return best;
}

}  // namespace trackdeck::browser
