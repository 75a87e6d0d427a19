#include "app/shell/CommandLine.h"

namespace trackdeck {

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine line;
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!rest.isEmpty()) {
            rest.append(argument);
        } else if (argument == "--help" || argument == "-h") {
            line.Help = true;
        } else if (argument == "--screenshot" || argument == "--quit-after") {
            if (i + 1 >= arguments.size()) {
                line.Problem = argument + " needs a value";
                return line;
            }
            const QString value = arguments[++i];
            if (argument == "--screenshot") {
                line.Screenshot = value;
            } else {
                bool ok = false;
                line.QuitAfterMs = value.toInt(&ok);
                if (!ok || line.QuitAfterMs < 0) {
                    line.Problem = "--quit-after needs milliseconds";
                    return line;
                }
            }
        } else {
            rest.append(argument);
        }
    }
    line.Argument = rest.join(' ');
    return line;
}

QString HelpText() {
    return "trackdeck: Veltrano Trackdeck, a two-pane tool for MP3 collections: browse and\n"
           "manage files, play them, edit their ID3v1 tags.\n"
           "\n"
           "Usage:\n"
           "  trackdeck [FILE | FOLDER]\n"
           "                            start; the right pane opens at the folder that holds\n"
           "                            FILE, or at FOLDER, and is the active pane\n"
           "  trackdeck --screenshot OUT.png [--quit-after MS] [FILE | FOLDER]\n"
           "                            start, write a picture of the main window once it is\n"
           "                            shown (after MS milliseconds, default at once) and quit\n"
           "  trackdeck --help          this text\n"
           "\n"
           "Settings are kept in Trackdeck.ini beside the program; where the program's folder\n"
           "cannot be written (an installed program), in $XDG_CONFIG_HOME/trackdeck/\n"
           "(~/.config/trackdeck/).\n";
}

}  // namespace trackdeck
