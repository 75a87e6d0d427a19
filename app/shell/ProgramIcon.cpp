#include "app/shell/ProgramIcon.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

namespace trackdeck {

QIcon ProgramIcon() {
    QIcon icon;
    // Each size as drawn for it; the image gives its size.
    for (const QFileInfo& file : QDir(":/icons").entryInfoList({"trackdeck-*.png"})) {
        icon.addFile(file.filePath());
    }
    return icon;
}

void UseProgramIcon() {
    QApplication::setWindowIcon(ProgramIcon());
    QGuiApplication::setDesktopFileName("de.veltrano.trackdeck");
}

}  // namespace trackdeck
