#include "tools/aurion/InterruptSignal.h"

#include <iterator>

namespace aurion::host {

namespace {

volatile std::sig_atomic_t g_signal = 0;

extern "C" void OnInterrupt(int signal) { g_signal = signal; }

}  // namespace

InterruptSignal::InterruptSignal() {
    g_signal = 0;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(Signals); ++i) {
        m_installed[i] = sigaction(Signals[i], &action, &m_previous[i]) == 0;
    }
}

InterruptSignal::~InterruptSignal() {
    for (size_t i = 0; i < std::size(Signals); ++i) {
        if (m_installed[i]) sigaction(Signals[i], &m_previous[i], nullptr);
    }
}

bool InterruptSignal::Raised() const { return g_signal != 0; }

int InterruptSignal::ExitStatus() const { return 128 + (g_signal != 0 ? g_signal : SIGINT); }

}  // namespace aurion::host
