#include "app/shell/Shutdown.h"

#include "app/common/PathHelpers.h"
#include "app/common/Settings.h"
#include "app/common/SettingsKeys.h"

namespace trackdeck {

void Shutdown(AppState& state, browser::Panes& panes, player::PlayerPanel& player,
              tags::TagArea& tagArea) {
    using player::PlayerPanel;
    player.Stop(state.TagModified ? PlayerPanel::Wait::ForThread : PlayerPanel::Wait::No);
    if (state.TagModified) {
        (void)tagArea.WritePendingTag();
        state.TagModified = false;
    }

    state.PathA = AddBackslash(panes.Pane(1).File->Path());
    state.PathB = AddBackslash(panes.Pane(2).File->Path());
    using namespace settings;
    WriteSetting(LastDirA.Section, LastDirA.Name, state.PathA, state.SettingsFile);
    WriteSetting(LastDirB.Section, LastDirB.Name, state.PathB, state.SettingsFile);
    WriteSetting(LastOrdner.Section, LastOrdner.Name, QString::number(state.ActivePane),
                 state.SettingsFile);
    WriteSetting(Volume.Section, Volume.Name, QString::number(player.VolumeKnobTop()),
                 state.SettingsFile);
}

}  // namespace trackdeck
