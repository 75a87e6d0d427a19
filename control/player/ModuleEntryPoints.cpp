// The four exported entry points of the in-process component Trackdeck.bin.
#include "control/player/ClassFactory.h"
#include "control/player/ControlRegistration.h"
#include "control/player/ModuleState.h"
#include "platform/com/ComponentCreation.h"

namespace {
// Its address lies inside this library, whatever name the library was loaded under.
const char g_moduleMarker = 0;
}  // namespace

extern "C" {

__attribute__((visibility("default"))) platform::HRESULT DllGetClassObject(
    const platform::Guid* clsid, const platform::Guid* iid, void** out) {
    if (clsid == nullptr || iid == nullptr) return platform::E_POINTER;
    return aurion::GetClassObject(*clsid, *iid, out);
}

__attribute__((visibility("default"))) platform::HRESULT DllCanUnloadNow() {
    return aurion::ModuleCanUnload() ? platform::S_OK : platform::S_FALSE;
}

__attribute__((visibility("default"))) platform::HRESULT DllRegisterServer() {
    return aurion::RegisterControl(platform::LibraryPathOf(&g_moduleMarker));
}

__attribute__((visibility("default"))) platform::HRESULT DllUnregisterServer() {
    return aurion::UnregisterControl();
}

}  // extern "C"
