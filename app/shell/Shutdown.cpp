#include "app/shell/Shutdown.h"

#include "app/common/ControlEventPump.h"
#include "app/common/PathHelpers.h"
#include "app/common/Settings.h"
#include "app/common/SettingsKeys.h"
#include "app/shell/frmDeck.h"
#include "app/tags/TagArea.h"
#include "host/AurionMembers.h"

namespace trackdeck {

void Shutdown(frmDeck& form, AppState& state) {
    using namespace aurion::host;
    state.PlayerStopRequested = true;
    state.PlayerEndReached = false;
    ControlCaller control = form.Aurion1->Caller();
    (void)control.Call(members::Stop, {});
    (void)control.Call(members::Close, {});

    if (state.TagModified) {
        WaitUntil([&state] { return state.PlayerThreadEnded; });
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
    WriteSetting(Volume.Section, Volume.Name, QString::number(form.Picture8Top),
                 state.SettingsFile);
}

}  // namespace trackdeck
