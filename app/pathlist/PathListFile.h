// The path-list file Trackdeck.lst: one remembered folder per line, UTF-8, each
// line ended by CR LF. Empty lines mean nothing; a file written by hand with bare
// LF line ends reads the same. The file need not exist.
#pragma once

#include <QString>
#include <QStringList>

namespace trackdeck::pathlist {

// The file's lines that are not empty, in file order; nothing for a missing file.
[[nodiscard]] QStringList ReadPathList(const QString& file);
// Appends the folder as a new line, creating the file. A last line without its
// line end (a file edited by hand) is ended first, so the two never run together.
bool AppendToPathList(const QString& file, const QString& folder);
// Writes the file afresh: every entry followed by CR LF, then one more CR LF. The
// old file is replaced only by a complete new one.
bool RewritePathList(const QString& file, const QStringList& entries);
// A folder whose name holds a line end cannot be kept as one line.
[[nodiscard]] bool FitsOnOneLine(const QString& folder);

}  // namespace trackdeck::pathlist
