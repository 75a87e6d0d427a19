// trackdeck: the desktop program (see shell/CommandLine.h for its command line).
#include <QApplication>
#include <QGuiApplication>
#include <QTimer>
#include <cstdio>

#include "app/common/AppState.h"
#include "app/common/ControlEventPump.h"
#include "app/common/MessageService.h"
#include "app/shell/CommandLine.h"
#include "app/shell/StartUp.h"
#include "app/shell/frmDeck.h"
#include "host/ProgramFolder.h"
#include "platform/system/SystemFolder.h"

namespace {

constexpr int UsageStatus = 2;

// Writes the main window's picture once it is shown, then ends the program.
void ScreenshotAndQuit(QWidget& form, const QString& file, int afterMs) {
    QTimer::singleShot(afterMs, &form, [&form, file] {
        const bool saved = form.grab().save(file, "PNG");
        if (QGuiApplication::platformName() == "offscreen") {
            std::printf("No display (offscreen platform): picture of the main window in %s\n",
                        qPrintable(file));
        } else {
            std::printf("Picture of the main window in %s\n", qPrintable(file));
        }
        if (!saved) std::fprintf(stderr, "trackdeck: cannot write %s\n", qPrintable(file));
        form.close();
        QApplication::exit(saved ? 0 : 1);
    });
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const trackdeck::CommandLine line =
        trackdeck::ParseCommandLine(QApplication::arguments().mid(1));
    if (!line.Problem.isEmpty()) {
        std::fprintf(stderr, "trackdeck: %s\n\n%s", qPrintable(line.Problem),
                     qPrintable(trackdeck::HelpText()));
        return UsageStatus;
    }
    if (line.Help) {
        std::fputs(qPrintable(trackdeck::HelpText()), stdout);
        return 0;
    }

    trackdeck::AppState state;
    trackdeck::FillAppState(state,
                            QString::fromStdString(aurion::host::ProgramFolder().value_or("./")),
                            QString::fromStdString(platform::SystemFolder()));
    trackdeck::InstallMessageService(trackdeck::MessageBoxService(state.Caption));
    trackdeck::ControlEventPump pump;
    std::unique_ptr<trackdeck::frmDeck> form = trackdeck::StartTrackdeck(state, line.Argument);
    if (!form) return 1;
    if (line.Screenshot) ScreenshotAndQuit(*form, *line.Screenshot, line.QuitAfterMs);
    const int status = QApplication::exec();
    form.reset();
    return status;
}
