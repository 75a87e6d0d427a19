// Self-registration of the component (DllRegisterServer / DllUnregisterServer): the
// same keys and values, in the same order, that the desktop program's installer
// writes below HKEY_LOCAL_MACHINE\Software\Classes, with the library's own path in
// place of the installed "AURION.OCX" and the library's folder as the system
// folder; then the property page's ProgID keys, so that it too can be created by
// ProgID. Unregistration removes exactly the keys that registration created.
#pragma once

#include <string>
#include <vector>

#include "control/ControlRegistrationRows.h"
#include "platform/com/HResult.h"

namespace aurion {

using RegistrationEntry = RegistrationRow;

// The rows of ControlRegistrationRows, then the property page's ProgID rows.
[[nodiscard]] std::vector<RegistrationEntry> RegistrationEntries(const std::string& libraryPath);
// The keys (below the classes root) that unregistration removes with all below them.
[[nodiscard]] std::vector<std::string> RegisteredKeyRoots();

// The full registry path of a key below the classes root.
[[nodiscard]] std::string ClassesKey(const std::string& key);

// SELFREG_E_CLASS when a value cannot be written.
platform::HRESULT RegisterControl(const std::string& libraryPath);
platform::HRESULT UnregisterControl();

}  // namespace aurion
