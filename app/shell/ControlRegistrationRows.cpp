#include "app/shell/ControlRegistrationRows.h"

#include "control/AurionInterface.h"

namespace trackdeck {

namespace {

// The platform's standard dispatch proxy.
constexpr const char* DispatchProxyStub = "{00020420-0000-0000-C000-000000000046}";
// The control's status bits 0x20191.
constexpr const char* MiscStatusBits = "131473";

}  // namespace

std::vector<RegistrationRow> ControlRegistrationRows(const std::string& systemFolder) {
    using namespace aurion;
    const std::string ocx = systemFolder + "Aurion.ocx";
    const std::string ctl = "CLSID\\" + CLSID_Aurion.ToRegistryString();
    const std::string ppg = "CLSID\\" + CLSID_AurionPropPage.ToRegistryString();
    const std::string disp = "Interface\\" + DIID__DAurion.ToRegistryString();
    const std::string evt = "Interface\\" + DIID__DAurionEvents.ToRegistryString();
    const std::string lib = LIBID_AURIONLib.ToRegistryString();
    const std::string typeLib = "TypeLib\\" + lib + "\\1.0";
    const std::string controlName(AurionControlName);
    return {
        {ctl + "\\Control", "", ""},
        {ctl + "\\InprocServer32", "", ocx},
        {ctl + "\\InprocServer32", "ThreadingModel", "Apartment"},
        {ctl + "\\MiscStatus\\1", "", MiscStatusBits},
        {ctl + "\\MiscStatus", "", "0"},
        {ctl + "\\ProgID", "", std::string(AurionCtrlProgId)},
        {ctl + "\\ToolboxBitmap32", "", ocx + ", 1"},
        {ctl + "\\TypeLib", "", lib},
        {ctl + "\\Version", "", "1.0"},
        {ctl, "", controlName},
        {ppg, "", std::string(AurionPropPageName)},
        {ppg + "\\InprocServer32", "", ocx},
        {disp + "\\ProxyStubClsid", "", DispatchProxyStub},
        {disp + "\\ProxyStubClsid32", "", DispatchProxyStub},
        {disp + "\\TypeLib", "", lib},
        {disp + "\\TypeLib", "Version", "1.0"},
        {disp, "", std::string(AurionDispatchName)},
        {evt + "\\ProxyStubClsid", "", DispatchProxyStub},
        {evt + "\\ProxyStubClsid32", "", DispatchProxyStub},
        {evt + "\\TypeLib", "", lib},
        {evt + "\\TypeLib", "Version", "1.0"},
        {evt, "", std::string(AurionEventsName)},
        {std::string(AurionCtrlProgId) + "\\CLSID", "", ctl.substr(6)},
        {std::string(AurionCtrlProgId), "", controlName},
        {typeLib + "\\0\\win32", "", ocx},
        {typeLib + "\\FLAGS", "", "2"},
        {typeLib + "\\HELPDIR", "", systemFolder},
        {typeLib, "", std::string(AurionTypeLibName)},
    };
}

}  // namespace trackdeck
