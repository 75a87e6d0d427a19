// Brings the control's events into Qt's event loop. The platform's wake hook,
// called on the posting thread once for a batch of posts, queues one call into
// this object's thread, which lets the messages pending at that moment run. The
// hook never blocks. One instance, on the user-interface thread, for the program's run.
#pragma once

#include <QObject>
#include <functional>

namespace trackdeck {

class ControlEventPump : public QObject {
public:
    ControlEventPump();
    ~ControlEventPump() override;
    ControlEventPump(const ControlEventPump&) = delete;
    ControlEventPump& operator=(const ControlEventPump&) = delete;

private:
    void Pump();
};

// "Wait, letting window events run, until the flag is on": every wait of the program.
void WaitUntil(const std::function<bool()>& flag);
// Lets the window events run that are pending now and returns at once: the program's
// long loops (a search, a copy) call it between two steps so that their windows stay
// alive, and a window made topmost settles. With WaitUntil the one place where the
// program runs Qt's event loop itself.
void LetPendingEventsRun();

}  // namespace trackdeck
