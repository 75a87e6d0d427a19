#include "app/shell/Shutdown.h"

#include "app/common/PathHelpers.h"
#include "app/common/Settings.h"
#include "app/common/SettingsKeys.h"
#include "app/player/PlayerPanel.h"
#include "app/shell/frmDeck.h"
#include "app/tags/TagArea.h"

namespace trackdeck {

void Shutdown(frmDeck& form, AppState& state) {
    using player::PlayerPanel;
    form.Player().Stop(state.TagModified ? PlayerPanel::Wait::ForThread : PlayerPanel::Wait::No);
    if (state.TagModified) {
        (void)form.TagAreaPart().WritePendingTag();
        state.TagModified = false;
    }

    state.PathA = AddBackslash(form.File1->Path());
    state.PathB = AddBackslash(form.File2->Path());
    using namespace settings;
    WriteSetting(LastDirA.Section, LastDirA.Name, state.PathA, state.SettingsFile);
    WriteSetting(LastDirB.Section, LastDirB.Name, state.PathB, state.SettingsFile);
    WriteSetting(LastOrdner.Section, LastOrdner.Name, QString::number(state.ActivePane),
                 state.SettingsFile);
    WriteSetting(Volume.Section, Volume.Name, QString::number(form.Player().VolumeKnobTop()),
                 state.SettingsFile);
}

}  // namespace trackdeck
