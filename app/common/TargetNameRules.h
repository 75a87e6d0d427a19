// Names that fit the target drive. Linux file systems take any name without "/";
// the FAT, exFAT and NTFS drives that go into car stereos and Windows machines also
// refuse " * : < > ? \ |, control characters, a trailing dot or blank and names
// longer than 255 UTF-16 units. Writing such a name there fails, or worse, gives a
// name the user did not choose; the program asks first (FitNamesToTarget).
#pragma once

#include <QString>
#include <functional>

namespace trackdeck {

// The kind of drive holding `folder` when it has those stricter rules ("FAT",
// "exFAT", "NTFS"), else empty.
[[nodiscard]] QString StrictFileSystem(const QString& folder);

// Replaces how the file system is found; tests pretend a folder lies on such a
// drive where the machine cannot mount one. Returns the previous probe (empty: the
// real one).
using FileSystemProbe = std::function<QString(const QString& folder)>;
FileSystemProbe InstallFileSystemProbe(FileSystemProbe probe);

[[nodiscard]] bool FitsStrictRules(const QString& name);
// `name` with each refused character, and a trailing dot or blank, replaced by "_",
// and shortened before its extension to 255 UTF-16 units.
[[nodiscard]] QString FittedName(const QString& name);

}  // namespace trackdeck
