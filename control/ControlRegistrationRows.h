// The registry rows that make the control known, below the classes root, in the
// order they are written. The desktop program's installer writes them for the
// Aurion.ocx it puts into the system folder; the control's self-registration
// writes the same rows for its own library (and then the property page's ProgID
// rows). One table for both, so the two never disagree. Header-only: the program
// never links the control's code.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "control/AurionInterface.h"

namespace aurion {

struct RegistrationRow {
    std::string Key;        // below the classes root
    std::string ValueName;  // "" is the key's default value
    std::string Data;
};

// The platform's standard dispatch proxy.
inline constexpr std::string_view DispatchProxyStub = "{00020420-0000-0000-C000-000000000046}";
// Status bits 0x20191: recompose on resize, cannot link inside, inside-out,
// activate when visible, set client site first.
inline constexpr std::string_view MiscStatusBits = "131473";

// The rows for the control's library at `libraryPath`, which is written as it is on
// disk (an upper-cased path names no file on a case-sensitive file system); the
// type library's help folder is the library's folder.
[[nodiscard]] inline std::vector<RegistrationRow> ControlRegistrationRows(
    const std::string& libraryPath) {
    const std::string ctl = "CLSID\\" + CLSID_Aurion.ToRegistryString();
    const std::string ppg = "CLSID\\" + CLSID_AurionPropPage.ToRegistryString();
    const std::string disp = "Interface\\" + DIID__DAurion.ToRegistryString();
    const std::string evt = "Interface\\" + DIID__DAurionEvents.ToRegistryString();
    const std::string lib = LIBID_AURIONLib.ToRegistryString();
    const std::string version(AurionTypeLibVersion);
    const std::string typeLib = "TypeLib\\" + lib + "\\" + version;
    const std::string proxy(DispatchProxyStub);
    const std::string ctlProgId(AurionCtrlProgId);
    const std::string controlName(AurionControlName);
    const std::string folder = libraryPath.substr(0, libraryPath.find_last_of('/') + 1);
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
        {ppg, "", std::string(AurionPropPageName)},
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
        {typeLib + "\\HELPDIR", "", folder},
        {typeLib, "", std::string(AurionTypeLibName)},
    };
}

}  // namespace aurion
