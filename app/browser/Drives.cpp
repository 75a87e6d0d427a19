#include "app/browser/Drives.h"

#include <QFile>
#include <QSet>
#include <algorithm>

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

bool SystemMount(const QString& point) {
    for (const char* prefix : {"/proc", "/sys", "/dev", "/run"}) {
        const QString p = QString::fromLatin1(prefix);
        if (point == p || point.startsWith(p + '/')) return true;
    }
    return false;
}

// /proc/self/mounts writes blanks and the like as octal escapes ("\040").
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

}  // namespace

QStringList Drives() {
    QStringList drives{"/"};
    QFile mounts("/proc/self/mounts");
    if (mounts.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : mounts.readAll().split('\n')) {
            const QList<QByteArray> fields = line.split(' ');
            if (fields.size() < 3) continue;
            const QString point = Unescaped(fields[1]);
            const QString type = QString::fromLatin1(fields[2]);
            if (VirtualFileSystems().contains(type) || SystemMount(point)) continue;
            const QString drive = point.endsWith('/') ? point : point + '/';
            if (!drives.contains(drive)) drives.append(drive);
        }
    }
    std::sort(drives.begin() + 1, drives.end());
    return drives;
}

QString DriveOf(const QString& path, const QStringList& drives) {
    QString best = "/";
    for (const QString& drive : drives) {
        if ((path + (path.endsWith('/') ? "" : "/")).startsWith(drive) &&
            drive.size() > best.size())
            best = drive;
    }
    return best;
}

}  // namespace trackdeck::browser
