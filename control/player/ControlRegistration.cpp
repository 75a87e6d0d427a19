#include "control/player/ControlRegistration.h"

#include "control/AurionInterface.h"
#include "platform/com/ComponentCreation.h"
#include "platform/registry/Registry.h"

namespace aurion {

std::string ClassesKey(const std::string& key) {
    return std::string(platform::ClassesRoot) + "\\" + key;
}

std::vector<RegistrationEntry> RegistrationEntries(const std::string& libraryPath) {
    const std::string ppg = "CLSID\\" + CLSID_AurionPropPage.ToRegistryString();
    const std::string ppgProgId(AurionPropPageProgId);
    std::vector<RegistrationEntry> entries = ControlRegistrationRows(libraryPath);
    entries.push_back({ppg + "\\ProgID", "", ppgProgId});
    entries.push_back({ppgProgId + "\\CLSID", "", CLSID_AurionPropPage.ToRegistryString()});
    entries.push_back({ppgProgId, "", std::string(AurionPropPageName)});
    return entries;
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
