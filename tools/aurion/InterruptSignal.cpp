#include "tools/aurion/InterruptSignal.h"

namespace aurion::host {

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void OnInterrupt(int) { g_interrupted = 1; }

}  // namespace

InterruptSignal::InterruptSignal() {
    g_interrupted = 0;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    m_installed = sigaction(SIGINT, &action, &m_previous) == 0;
}

InterruptSignal::~InterruptSignal() {
    if (m_installed) {
        sigaction(SIGINT, &m_previous, nullptr);
    }
}

bool InterruptSignal::Raised() const { return g_interrupted != 0; }

}  // namespace aurion::host
