// The program's path helpers. Paths use "/" where the system's texts say "\";
// folder paths end with it. Paths are never case-converted.
#pragma once

#include <QString>
#include <optional>

namespace trackdeck {

// Appends "/" unless the text ends with one.
[[nodiscard]] QString AddBackslash(const QString& text);
// Cuts the last part of the path (one trailing "/" ignored). The root stays: the
// parent of "/a.mp3" is "/", and an absolute path keeps its leading "/". A text
// without "/" is left as it is.
void ParentFolder(QString& path);
// True when the file can be opened for reading.
[[nodiscard]] bool FileExists(const QString& path);
// True when the path names a folder that can be listed.
[[nodiscard]] bool DirExists(const QString& path);
// The long form of a path through GetLongPathName of the support library
// Trackdeck.dll beside the program; nothing when the path does not exist or the
// library cannot be used.
[[nodiscard]] std::optional<QString> LongName(const QString& path);
// The folder whose Trackdeck.dll LongName loads (the program folder by default).
void UseSupportLibraryIn(const QString& programFolder);
// The text after the last "/" (after removing one trailing "/").
[[nodiscard]] QString FileNameOf(QString path);

}  // namespace trackdeck
