// Creation of in-process components through the registry: ProgID -> CLSID ->
// InprocServer32 path -> dlopen -> DllGetClassObject -> IClassFactory.
#pragma once

#include <string>
#include <string_view>

#include "platform/com/ClassFactory.h"

namespace platform {

// Registry key of the classes, below HKEY_LOCAL_MACHINE.
constexpr std::string_view ClassesRoot = "Software\\Classes";

// CO_E_CLASSSTRING for an unknown ProgID, REGDB_E_CLASSNOTREG for a CLSID without
// a library, CO_E_DLLNOTFOUND when the library cannot be loaded or lacks its
// entry point; otherwise what the class object answers.
HRESULT CLSIDFromProgID(std::string_view progId, Guid& clsid);
HRESULT CreateInstance(const Guid& clsid, const Guid& iid, void** out);
HRESULT CreateInstanceByProgId(std::string_view progId, const Guid& iid, void** out);

// Loads a component library by path and calls its DllRegisterServer.
HRESULT RegisterServer(const std::string& libraryPath);
HRESULT UnregisterServer(const std::string& libraryPath);

// The path of the shared library that holds `address` (for a component's own path).
[[nodiscard]] std::string LibraryPathOf(const void* address);

}  // namespace platform
