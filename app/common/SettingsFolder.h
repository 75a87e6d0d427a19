// Where the program keeps its settings file Trackdeck.ini and its path list
// Trackdeck.lst: beside the program while its folder can be written (a program
// folder copied anywhere keeps its settings with it); an installed program's folder
// cannot be written by its users, so theirs live in the user's configuration
// folder, $XDG_CONFIG_HOME/trackdeck/ (~/.config/trackdeck/).
#pragma once

#include <QString>

namespace trackdeck {

// True when this process may create files in the folder: its permissions allow it
// and its file system is not mounted read-only.
[[nodiscard]] bool FolderWritable(const QString& folder);

// The user's folder for the two files, ending with "/"; made when missing.
[[nodiscard]] QString UserSettingsFolder();

// The user's home folder, ending with "/".
[[nodiscard]] QString HomeFolder();

}  // namespace trackdeck
