#include "control/player/ControlRegistration.h"

#include "control/AurionInterface.h"
#include "platform/com/ComponentCreation.h"
#include "platform/registry/Registry.h"

namespace aurion {

namespace {

// The platform's standard dispatch proxy.
constexpr std::string_view DispatchProxyStub = "{00020420-0000-0000-C000-000000000046}";
// Status bits 0x20191: recompose on resize, cannot link inside, inside-out,
// activate when visible, set client site first.
constexpr std::string_view MiscStatusBits = "131473";

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

std::string ClassesKey(const std::string& key) {
    return std::string(platform::ClassesRoot) + "\\" + key;
}

std::vector<RegistrationEntry> RegistrationEntries(const std::string& libraryPath) {
    const std::string ctl = "CLSID\\" + CLSID_Aurion.ToRegistryString();
    const std::string ppg = "CLSID\\" + CLSID_AurionPropPage.ToRegistryString();
    const std::string disp = "Interface\\" + DIID__DAurion.ToRegistryString();
    const std::string evt = "Interface\\" + DIID__DAurionEvents.ToRegistryString();
    const std::string lib = LIBID_AURIONLib.ToRegistryString();
    const std::string typeLib = "TypeLib\\" + lib + "\\" + std::string(AurionTypeLibVersion);
    const std::string version(AurionTypeLibVersion);
    const std::string proxy(DispatchProxyStub);
    const std::string ctlProgId(AurionCtrlProgId);
    const std::string ppgProgId(AurionPropPageProgId);
    const std::string controlName(AurionControlName);
    const std::string pageName(AurionPropPageName);

    return {
        {ctl + "\\Control", "", ""},
        {ctl + "\\InprocServer32", "", libraryPath},
        {ctl + "\\InprocServer32", "ThreadingModel", "Apartment"},
        {ctl + "\\MiscStatus\\1", "", std::string(MiscStatusBits)},
        {ctl + "\\MiscStatus", "", "0"},
        {ctl + "\\ProgID", "", ctlProgId},
        {ctl + "\\ToolboxBitmap32", "", libraryPath + ", 1"},
        {ctl + "\\TypeLib", "", lib},
        {ctl + "\\Version", "", version},
        {ctl, "", controlName},
        {ppg, "", pageName},
        {ppg + "\\InprocServer32", "", libraryPath},
        {disp + "\\ProxyStubClsid", "", proxy},
        {disp + "\\ProxyStubClsid32", "", proxy},
        {disp + "\\TypeLib", "", lib},
        {disp + "\\TypeLib", "Version", version},
        {disp, "", std::string(AurionDispatchName)},
        {evt + "\\ProxyStubClsid", "", proxy},
        {evt + "\\ProxyStubClsid32", "", proxy},
        {evt + "\\TypeLib", "", lib},
        {evt + "\\TypeLib", "Version", version},
        {evt, "", std::string(AurionEventsName)},
        {ctlProgId + "\\CLSID", "", CLSID_Aurion.ToRegistryString()},
        {ctlProgId, "", controlName},
        {typeLib + "\\0\\win32", "", libraryPath},
        {typeLib + "\\FLAGS", "", "2"},
        {typeLib + "\\HELPDIR", "", FolderOf(libraryPath)},
        {typeLib, "", std::string(AurionTypeLibName)},
        {ppg + "\\ProgID", "", ppgProgId},
        {ppgProgId + "\\CLSID", "", CLSID_AurionPropPage.ToRegistryString()},
        {ppgProgId, "", pageName},
    };
}

std::vector<std::string> RegisteredKeyRoots() {
    return {
        "CLSID\\" + CLSID_Aurion.ToRegistryString(),
        "CLSID\\" + CLSID_AurionPropPage.ToRegistryString(),
        "Interface\\" + DIID__DAurion.ToRegistryString(),
        "Interface\\" + DIID__DAurionEvents.ToRegistryString(),
        std::string(AurionCtrlProgId),
        std::string(AurionPropPageProgId),
        "TypeLib\\" + LIBID_AURIONLib.ToRegistryString(),
    };
}

platform::HRESULT RegisterControl(const std::string& libraryPath) {
    bool written = true;
    for (const RegistrationEntry& entry : RegistrationEntries(libraryPath)) {
        if (!platform::registry::SetValue(ClassesKey(entry.Key), entry.ValueName, entry.Data))
            written = false;
    }
    return written ? platform::S_OK : platform::SELFREG_E_CLASS;
}

platform::HRESULT UnregisterControl() {
    for (const std::string& key : RegisteredKeyRoots())
        platform::registry::DeleteTree(ClassesKey(key));
    return platform::S_OK;
}

}  // namespace aurion
