#include "app/shell/ApplySettings.h"

#include "app/common/PathHelpers.h"
#include "app/common/Settings.h"
#include "app/common/SettingsFolder.h"
#include "app/common/SettingsKeys.h"
#include "app/tags/TagCodePage.h"

namespace trackdeck {

namespace {

QString Setting(const AppState& state, const settings::Key& key) {
    return GetSetting(key.Section, key.Name, "", state.SettingsFile);
}

// A stored folder that is missing or gone gives way to the pane's default.
QString PaneFolder(const AppState& state, const settings::Key& key, const QString& fallback) {
    const QString folder = Setting(state, key);
    return (folder.isEmpty() || !DirExists(folder)) ? fallback : folder;
}

}  // namespace

void ApplySettings(AppState& state, browser::Panes& panes, player::PlayerPanel& player) {
    // An installed program's folder holds nothing of the user's: both panes start at home.
    const QString home = HomeFolder();
    panes.OpenFolder(1, PaneFolder(state, settings::LastDirA,
                                   state.ProgramFolderReadOnly ? home : state.ProgramFolder));
    panes.OpenFolder(2,
                     PaneFolder(state, settings::LastDirB, state.ProgramFolderReadOnly ? home : "/"));

    state.ActivePane = OneOrTwo(Setting(state, settings::LastOrdner));
    panes.ShowActivePane(state.ActivePane);
    panes.Pane(state.ActivePane).List->setFocus();

    ReadFlagSettings(state);
    tags::UseTagCodePage(tags::CodePageFromSetting(Setting(state, settings::Id3v1CodePage)));

    const int knobTop = LeadingNumber(GetSetting(settings::Volume.Section, settings::Volume.Name,
                                                 settings::DefaultVolume, state.SettingsFile));
    player.PlaceVolumeKnob(knobTop);
}

}  // namespace trackdeck
