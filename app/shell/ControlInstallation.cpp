#include "app/shell/ControlInstallation.h"

#include <QFile>
#include <QSaveFile>

#include "app/common/PathHelpers.h"
#include "control/ControlRegistrationRows.h"
#include "platform/com/ComponentCreation.h"
#include "platform/registry/Registry.h"

namespace trackdeck {

namespace {

bool SameContent(const QString& a, const QString& b) {
    QFile first(a);
    QFile second(b);
    if (!first.open(QIODevice::ReadOnly) || !second.open(QIODevice::ReadOnly)) return false;
    if (first.size() != second.size()) return false;
    while (!first.atEnd()) {
        if (first.read(1 << 16) != second.read(1 << 16)) return false;
    }
    return true;
}

// Through a temporary file and a rename, so a half-copied control never lies there.
bool CopyFile(const QString& from, const QString& to) {
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) return false;
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly)) return false;
    while (!source.atEnd()) {
        const QByteArray block = source.read(1 << 16);
        if (block.isEmpty() || target.write(block) != block.size()) {
            target.cancelWriting();
            return false;
        }
    }
    target.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                          QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                          QFileDevice::ExeOther);
    return target.commit();
}

}  // namespace

Installation InstallControl(const AppState& state) {
    const QString installed = state.SystemFolder + "Aurion.ocx";
    const QString shipped = state.ProgramFolder + "Trackdeck.bin";
    if (FileExists(installed) && SameContent(installed, shipped)) {
        return Installation::AlreadyInstalled;
    }
    if (!CopyFile(shipped, installed)) return Installation::Failed;
    const std::string classes(platform::ClassesRoot);
    for (const aurion::RegistrationRow& row :
         aurion::ControlRegistrationRows(installed.toUtf8().toStdString())) {
        (void)platform::registry::SetValue(classes + "\\" + row.Key, row.ValueName, row.Data);
    }
    return Installation::Installed;
}

QString ControlToRun(const AppState& state) {
    const QString installed = state.SystemFolder + "Aurion.ocx";
    return FileExists(installed) ? installed : state.ProgramFolder + "Trackdeck.bin";
}

}  // namespace trackdeck
