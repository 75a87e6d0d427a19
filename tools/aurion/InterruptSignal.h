// Ctrl-C during a command: while an InterruptSignal lives, SIGINT (and SIGTERM and
// SIGHUP) only record which signal came (all a signal handler may safely do); the
// command's event loop looks at it between window events and stops the control in
// order, so files are finished and the terminal is restored. The previous handlers
// come back on destruction. One instance at a time.
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
    // The exit status for the signal that came: 128 + its number (130 for Ctrl-C).
    [[nodiscard]] int ExitStatus() const;

private:
    static constexpr int Signals[] = {SIGINT, SIGTERM, SIGHUP};
    struct sigaction m_previous[3]{};
    bool m_installed[3] = {};
};

}  // namespace aurion::host
