// The files a pane lists: those of one folder whose names end in ".mp3" or ".wav"
// without regard to case, sorted by name ignoring case. The folder is read once;
// only a matching name whose kind the folder entry does not tell (a link, a file
// system without entry types) costs a look at the file itself, so a folder of
// thousands of files lists fast.
#pragma once

#include <QString>
#include <QStringList>

namespace trackdeck::browser {

// The names (no folder), hidden files included; a link counts when it leads to a
// file. Empty when the folder cannot be read.
[[nodiscard]] QStringList PlayableFiles(const QString& folder);

}  // namespace trackdeck::browser
