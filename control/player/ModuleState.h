// The in-process component's life count: objects alive and server locks. The
// library may be unloaded only when both are zero (DllCanUnloadNow).
#pragma once

namespace aurion {

void ModuleObjectCreated();
void ModuleObjectDestroyed();
void ModuleLockServer(bool lock);
[[nodiscard]] bool ModuleCanUnload();

}  // namespace aurion
