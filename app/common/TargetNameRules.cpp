#include "app/common/TargetNameRules.h"

#include <sys/statfs.h>

#include <QFile>
#include <QStorageInfo>
#include <utility>

namespace trackdeck {

namespace {

constexpr qsizetype MaxNameUnits = 255;
// The longest ending still taken for an extension when a long name is shortened.
constexpr qsizetype MaxExtensionUnits = 16;

FileSystemProbe& Probe() {
    static FileSystemProbe probe;
    return probe;
}

bool IsRefused(QChar c) { return c.unicode() < 32 || QStringLiteral("\"*/:<>?\\|").contains(c); }

bool IsRefusedAtEnd(QChar c) { return c == u'.' || c == u' '; }

// The name a user knows the drive by, from the kernel's or the mount table's name.
QString KnownName(const QString& type) {
    if (type.contains(QLatin1String("exfat"))) return QStringLiteral("exFAT");
    if (type.contains(QLatin1String("fat")) || type.contains(QLatin1String("msdos")))
        return QStringLiteral("FAT");
    if (type.contains(QLatin1String("ntfs"))) return QStringLiteral("NTFS");
    // ntfs-3g and exfat-fuse mount as "fuseblk": one of the two.
    if (type == QLatin1String("fuseblk")) return QStringLiteral("NTFS/exFAT");
    return {};
}

// The kernel's own numbers first; the mount table's name for FUSE drives, where
// NTFS, exFAT and FAT sticks are often mounted (ntfs-3g and exfat-fuse as
// "fuseblk", fusefat as "fuse.fusefat").
QString RealFileSystem(const QString& folder) {
    struct statfs info {};
    if (::statfs(QFile::encodeName(folder).constData(), &info) == 0) {
        switch (static_cast<unsigned long>(info.f_type)) {
            case 0x4d44UL:
                return KnownName("vfat");
            case 0x2011BAB0UL:
                return KnownName("exfat");
            case 0x5346544eUL:  // ntfs
            case 0x7366746eUL:  // ntfs3
                return KnownName("ntfs");
            default:
                break;
        }
    }
    return KnownName(QString::fromLatin1(QStorageInfo(folder).fileSystemType()).toLower());
}

}  // namespace

QString StrictFileSystem(const QString& folder) {
    return Probe() ? Probe()(folder) : RealFileSystem(folder);
}

FileSystemProbe InstallFileSystemProbe(FileSystemProbe probe) {
    return std::exchange(Probe(), std::move(probe));
}

bool FitsStrictRules(const QString& name) {
    if (name.size() > MaxNameUnits) return false;
    if (!name.isEmpty() && IsRefusedAtEnd(name.back())) return false;
    return std::none_of(name.begin(), name.end(), IsRefused);
}

QString FittedName(const QString& name) {
    QString fitted = name;
    for (QChar& c : fitted)
        if (IsRefused(c)) c = u'_';
    if (fitted.size() > MaxNameUnits) {
        const qsizetype dot = fitted.lastIndexOf(u'.');
        const qsizetype extension =
            dot > 0 && fitted.size() - dot <= MaxExtensionUnits ? fitted.size() - dot : 0;
        qsizetype stem = MaxNameUnits - extension;
        // Never half a character outside the Basic Multilingual Plane.
        if (fitted[stem - 1].isHighSurrogate()) --stem;
        fitted = fitted.left(stem) + fitted.right(extension);
    }
    for (qsizetype i = fitted.size() - 1; i >= 0 && IsRefusedAtEnd(fitted[i]); --i)
        fitted[i] = u'_';
    return fitted;
}

}  // namespace trackdeck
