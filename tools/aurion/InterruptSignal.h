// Ctrl-C during a command: while an InterruptSignal lives, SIGINT only raises a
// flag (all a signal handler may safely do); the command's event loop looks at
// it between window events and stops the control in order. The previous handler
// comes back on destruction. One instance at a time.
#pragma once

#include <csignal>

namespace aurion::host {

class InterruptSignal {
public:
    InterruptSignal();
    ~InterruptSignal();
    InterruptSignal(const InterruptSignal&) = delete;
    InterruptSignal& operator=(const InterruptSignal&) = delete;

    [[nodiscard]] bool Raised() const;

private:
    struct sigaction m_previous {};
    bool m_installed = false;
};

}  // namespace aurion::host
