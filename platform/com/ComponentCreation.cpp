#include "platform/com/ComponentCreation.h"

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "platform/registry/Registry.h"

namespace platform {

namespace {

// Component libraries are never unloaded: objects and class objects they handed out
// may live as long as the process, and DllCanUnloadNow is not consulted.
void* LoadComponentLibrary(const std::string& path) {
    if (path.empty()) return nullptr;
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

std::string ClassKey(const Guid& clsid) {
    return std::string(ClassesRoot) + "\\CLSID\\" + clsid.ToRegistryString();
}

std::string ExecutablePath() {
    std::error_code error;
    auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

}  // namespace

HRESULT CLSIDFromProgID(std::string_view progId, Guid& clsid) {
    clsid = Guid{};
    if (progId.empty() || progId.find('\\') != std::string_view::npos) return CO_E_CLASSSTRING;
    std::string key = std::string(ClassesRoot) + "\\" + std::string(progId) + "\\CLSID";
    std::optional<std::string> text = registry::GetValue(key, "");
    if (!text) return CO_E_CLASSSTRING;
    std::optional<Guid> parsed = Guid::Parse(*text);
    if (!parsed) return CO_E_CLASSSTRING;
    clsid = *parsed;
    return S_OK;
}

HRESULT CreateInstance(const Guid& clsid, const Guid& iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    std::optional<std::string> path = registry::GetValue(ClassKey(clsid) + "\\InprocServer32", "");
    if (!path || path->empty()) return REGDB_E_CLASSNOTREG;

    void* library = LoadComponentLibrary(*path);
    if (library == nullptr) return CO_E_DLLNOTFOUND;
    auto getClassObject =
        reinterpret_cast<DllGetClassObjectFn>(dlsym(library, "DllGetClassObject"));
    if (getClassObject == nullptr) return CO_E_DLLNOTFOUND;

    IClassFactory* factory = nullptr;
    HRESULT hr = getClassObject(&clsid, &IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (Failed(hr)) return hr;
    if (factory == nullptr) return E_UNEXPECTED;
    hr = factory->CreateInstance(nullptr, iid, out);
    factory->Release();
    if (Failed(hr)) *out = nullptr;
    return hr;
}

HRESULT CreateInstanceByProgId(std::string_view progId, const Guid& iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    Guid clsid;
    HRESULT hr = CLSIDFromProgID(progId, clsid);
    if (Failed(hr)) return hr;
    return CreateInstance(clsid, iid, out);
}

namespace {

HRESULT CallRegistrationEntry(const std::string& libraryPath, const char* entryName) {
    void* library = LoadComponentLibrary(libraryPath);
    if (library == nullptr) return CO_E_DLLNOTFOUND;
    auto entry = reinterpret_cast<DllRegisterServerFn>(dlsym(library, entryName));
    if (entry == nullptr) return CO_E_DLLNOTFOUND;
    return entry();
}

}  // namespace

HRESULT RegisterServer(const std::string& libraryPath) {
    return CallRegistrationEntry(libraryPath, "DllRegisterServer");
}

HRESULT UnregisterServer(const std::string& libraryPath) {
    return CallRegistrationEntry(libraryPath, "DllUnregisterServer");
}

std::string LibraryPathOf(const void* address) {
    Dl_info info{};
    if (dladdr(address, &info) == 0 || info.dli_fname == nullptr || info.dli_fname[0] == '\0')
        return ExecutablePath();
    std::string path = info.dli_fname;
    // The main program is reported under the name it was started by.
    if (path.find('/') == std::string::npos) return ExecutablePath();
    std::error_code error;
    auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

}  // namespace platform
