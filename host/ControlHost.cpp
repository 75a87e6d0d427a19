#include "host/ControlHost.h"

#include <filesystem>
#include <string_view>

#include "control/AurionInterface.h"
#include "host/ProgramFolder.h"
#include "platform/com/ComObject.h"
#include "platform/com/ComponentCreation.h"
#include "platform/registry/Registry.h"

namespace aurion::host {

using platform::Guid;
using platform::HRESULT;

namespace {

constexpr std::string_view ControlLibraryName = "Trackdeck.bin";

// The library that the registry names for the control, if any.
std::optional<std::string> RegisteredLibrary() {
    const std::string key = std::string(platform::ClassesRoot) + "\\CLSID\\" +
                            CLSID_Aurion.ToRegistryString() + "\\InprocServer32";
    return platform::registry::GetValue(key, "");
}

// Creation by ProgID fails this way when the registration is missing or stale.
bool NeedsRegistration(HRESULT hr) {
    return hr == platform::CO_E_CLASSSTRING || hr == platform::REGDB_E_CLASSNOTREG ||
           hr == platform::CO_E_DLLNOTFOUND || hr == platform::CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace

ControlHost::ControlHost(ControlEvents events, HostServices services)
    : m_site(new HostSite(std::move(services))), m_sink(new EventSink(std::move(events))) {}

ControlHost::~ControlHost() {
    ReleaseControl();
    m_site->Release();
    m_sink->Release();
}

void ControlHost::ReleaseControl() {
    if (m_connectionPoint && m_cookie != 0) m_connectionPoint->Unadvise(m_cookie);
    m_cookie = 0;
    m_connectionPoint.Reset();
    if (m_oleControl) {
        m_oleControl->Deactivate();
        m_oleControl->SetClientSite(nullptr);
    }
    m_oleControl.Reset();
    m_control.Reset();
}

std::optional<ControlError> ControlHost::Register(const std::string& library) {
    if (const HRESULT registered = platform::RegisterServer(library);
        platform::Failed(registered)) {
        return ControlError{std::nullopt,
                            "cannot register " + library + " (" + HresultText(registered) + ")"};
    }
    return std::nullopt;
}

std::optional<ControlError> ControlHost::CreateControl(const std::string& library) {
    // A registry that names another library (another build, another host's choice)
    // would run that control: this host's own is registered instead.
    std::error_code error;
    const bool present = !library.empty() && std::filesystem::exists(library, error);
    if (present) {
        const std::optional<std::string> registered = RegisteredLibrary();
        if (registered && *registered != library) {
            if (auto problem = Register(library)) return problem;
        }
    }
    HRESULT hr = platform::CreateInstanceByProgId(AurionCtrlProgId, platform::IID_IDispatch,
                                                  m_control.PutVoid());
    if (NeedsRegistration(hr)) {
        if (library.empty()) return ControlError{std::nullopt, "cannot find the program folder"};
        if (auto problem = Register(library)) return problem;
        hr = platform::CreateInstanceByProgId(AurionCtrlProgId, platform::IID_IDispatch,
                                              m_control.PutVoid());
    }
    if (platform::Failed(hr) || !m_control) {
        m_control.Reset();
        return ControlError{std::nullopt, "cannot create the control " +
                                              std::string(AurionCtrlProgId) + " (" +
                                              HresultText(hr) + ")"};
    }
    return std::nullopt;
}

std::optional<ControlError> ControlHost::Start() {
    const std::optional<std::string> folder = ProgramFolder();
    return Start(folder ? *folder + std::string(ControlLibraryName) : std::string());
}

std::optional<ControlError> ControlHost::Start(const std::string& library) {
    std::optional<ControlError> error = CreateControl(library);
    if (!error) error = ActivateAndAdvise();
    if (error) ReleaseControl();
    return error;
}

std::optional<ControlError> ControlHost::ActivateAndAdvise() {
    if (platform::Failed(
            m_control->QueryInterface(platform::IID_IOleControl, m_oleControl.PutVoid())) ||
        platform::Failed(m_oleControl->SetClientSite(m_site)) ||
        platform::Failed(m_oleControl->Activate())) {
        return ControlError{std::nullopt, "cannot activate the control"};
    }
    platform::ComPtr<platform::IConnectionPointContainer> container;
    if (platform::Failed(m_control->QueryInterface(platform::IID_IConnectionPointContainer,
                                                   container.PutVoid())) ||
        platform::Failed(
            container->FindConnectionPoint(DIID__DAurionEvents, m_connectionPoint.Put())) ||
        platform::Failed(m_connectionPoint->Advise(m_sink, m_cookie))) {
        return ControlError{std::nullopt, "cannot connect to the control's events"};
    }
    return std::nullopt;
}

void ControlHost::RunEvents(std::chrono::milliseconds timeout) {
    platform::WaitAndPumpMessages(timeout);
}

}  // namespace aurion::host
