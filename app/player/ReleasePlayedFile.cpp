#include "app/player/ReleasePlayedFile.h"

#include "app/common/ControlEventPump.h"
#include "app/shell/frmDeck.h"
#include "host/AurionMembers.h"

namespace trackdeck::player {

void ReleasePlayedFile(frmDeck& form, AppState& state) {
    using namespace aurion::host;
    state.PlayerStopRequested = true;
    state.PlayerEndReached = false;
    ControlCaller control = form.Aurion1->Caller();
    (void)control.Call(members::Stop, {});
    (void)control.Call(members::Close, {});
    form.Text4->clear();
    WaitUntil([&state] { return state.PlayerThreadEnded; });
}

}  // namespace trackdeck::player
