// The command line of trackdeck:
//     trackdeck [FILE | FOLDER]
//     trackdeck --screenshot OUT.png [--quit-after MS] [FILE | FOLDER]
//     trackdeck --help
// FILE is the whole rest of the command line, not split at blanks: the right pane
// opens at the folder that holds it, or at FOLDER itself.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace trackdeck {

struct CommandLine {
    bool Help = false;
    QString Argument;                   // the file or folder; empty without one
    std::optional<QString> Screenshot;  // picture of the main window, then quit
    int QuitAfterMs = 0;
    QString Problem;  // not empty for a command line that makes no sense
};

[[nodiscard]] CommandLine ParseCommandLine(const QStringList& arguments);
[[nodiscard]] QString HelpText();

}  // namespace trackdeck
