#include "control/player/ModuleState.h"

#include <atomic>

namespace aurion {

namespace {
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};
}  // namespace

void ModuleObjectCreated() { ++g_objects; }
void ModuleObjectDestroyed() { --g_objects; }

void ModuleLockServer(bool lock) {
    if (lock)
        ++g_locks;
    else if (g_locks > 0)
        --g_locks;
}

bool ModuleCanUnload() { return g_objects == 0 && g_locks == 0; }

}  // namespace aurion
