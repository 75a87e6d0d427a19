#include "app/shell/StartUp.h"

#include "app/common/MessageService.h"
#include "app/common/PathHelpers.h"
#include "app/common/Settings.h"
#include "app/common/SettingsFolder.h"
#include "app/common/SettingsKeys.h"
#include "app/shell/ControlInstallation.h"
#include "app/shell/ProgramIcon.h"
#include "app/shell/frmDeck.h"

namespace trackdeck {

namespace {

constexpr const char* Caption = "Veltrano Trackdeck";
constexpr QRgb ActiveListColour = 0x00FF00;    // green
constexpr QRgb InactiveListColour = 0xC0C0C0;  // silver

bool SupportFilePresent(const AppState& state, const QString& name) {
    if (FileExists(state.ProgramFolder + name)) return true;
    // The message texts end in three blanks.
    ShowMessage("Die Datei " + name + " wurde nicht gefunden.   ", MessageKind::Exclamation);
    return false;
}

}  // namespace

void FillAppState(AppState& state, const QString& programFolder, const QString& systemFolder) {
    state.ProgramFolder = AddBackslash(programFolder);
    state.ProgramFolderReadOnly = !FolderWritable(state.ProgramFolder);
    state.SystemFolder = AddBackslash(systemFolder);
    const QString settingsFolder =
        state.ProgramFolderReadOnly ? UserSettingsFolder() : state.ProgramFolder;
    state.SettingsFile = settingsFolder + "Trackdeck.ini";
    state.PathListFile = settingsFolder + "Trackdeck.lst";
    state.Caption = Caption;
    state.ActiveListColor = QColor::fromRgb(ActiveListColour);
    UseSupportLibraryIn(state.ProgramFolder);
    state.InactiveListColor = QColor::fromRgb(InactiveListColour);
}

std::unique_ptr<frmDeck> StartTrackdeck(AppState& state, const QString& argument) {
    UseProgramIcon();  // before the first window, a message box about a missing file too
    if (!SupportFilePresent(state, "Trackdeck.dll")) return nullptr;
    if (!SupportFilePresent(state, "Trackdeck.bin")) return nullptr;

    if (!argument.isEmpty()) {
        QString folder = LongName(argument).value_or(QString());
        // A folder (a file manager's "Open with" on one) opens itself, a file its folder.
        if (!DirExists(folder)) ParentFolder(folder);
        folder = AddBackslash(folder);
        (void)InstallControl(state);
        using namespace settings;
        WriteSetting(LastDirB.Section, LastDirB.Name, folder, state.SettingsFile);
        WriteSetting(LastOrdner.Section, LastOrdner.Name, "2", state.SettingsFile);
    } else {
        (void)InstallControl(state);
    }

    auto form = std::make_unique<frmDeck>(state);
    (void)form->Player().Control().Start(ControlToRun(state));
    form->Load();
    return form;
}

}  // namespace trackdeck
