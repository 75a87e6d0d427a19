#include "tools/aurion/ControlHost.h"

#include <cstdio>
#include <filesystem>
#include <span>
#include <string_view>

#include "control/AurionInterface.h"
#include "platform/com/ComObject.h"
#include "platform/com/ComponentCreation.h"
#include "platform/registry/Registry.h"
#include "tools/aurion/ProgramFolder.h"

namespace aurion::host {

using platform::Guid;
using platform::HRESULT;
using platform::Variant;
using platform::VarType;

namespace {

constexpr std::string_view ControlLibraryName = "Trackdeck.bin";

int32_t LongArgument(const Variant& value) {
    Variant converted;
    return platform::Succeeded(value.ChangeType(VarType::I4, converted)) ? converted.AsI4() : -1;
}

std::string TextArgument(const Variant& value) {
    Variant converted;
    return platform::Succeeded(value.ChangeType(VarType::Bstr, converted)) ? converted.AsBstr()
                                                                           : std::string();
}

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

class HostSite final : public platform::ComObject<platform::IControlSite> {
public:
    explicit HostSite(platform::WindowHandle hostWindow) : m_hostWindow(hostWindow) {}

    platform::WindowHandle HostWindow() override { return m_hostWindow; }
    // Nothing of the control is saved by a command-line host.
    void OnModified() override {}
    void ShowMessage(std::string_view caption, std::string_view text,
                     platform::MessageKind) override {
        std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                     static_cast<int>(text.size()), text.data());
    }

private:
    ~HostSite() override = default;

    platform::WindowHandle m_hostWindow;
};

class EventSink final : public platform::ComObject<platform::IDispatch> {
public:
    explicit EventSink(ControlEvents events) : m_events(std::move(events)) {}

    HRESULT GetIdOfName(std::string_view, platform::DispId& id) override {
        id = platform::DISPID_UNKNOWN;
        return platform::DISP_E_UNKNOWNNAME;
    }

    HRESULT Invoke(platform::DispId id, platform::InvokeKind, std::span<Variant> args, Variant*,
                   platform::ExcepInfo*) override {
        switch (id) {
            case EventIds::ActFrame:
                if (args.size() != 1) return platform::DISP_E_BADPARAMCOUNT;
                if (m_events.ActFrame) m_events.ActFrame(LongArgument(args[0]));
                return platform::S_OK;
            case EventIds::ThreadEnded:
                if (m_events.ThreadEnded) m_events.ThreadEnded();
                return platform::S_OK;
            case EventIds::Failure:
                if (args.size() != 2) return platform::DISP_E_BADPARAMCOUNT;
                Report(args[0], args[1]);
                return platform::S_OK;
            case EventIds::Error:
                if (args.size() <= EventIds::ErrorCancelDisplayArg) {
                    return platform::DISP_E_BADPARAMCOUNT;
                }
                Report(args[0], args[1]);
                args[EventIds::ErrorCancelDisplayArg] = Variant(true);
                return platform::S_OK;
            default:
                return platform::DISP_E_MEMBERNOTFOUND;
        }
    }

private:
    ~EventSink() override = default;

    [[nodiscard]] bool Provides(const Guid& iid) const override {
        return iid == platform::IID_IDispatch || iid == DIID__DAurionEvents;
    }

    void Report(const Variant& number, const Variant& text) {
        if (m_events.Failure)
            m_events.Failure(ControlError{LongArgument(number), TextArgument(text)});
    }

    ControlEvents m_events;
};

ControlHost::ControlHost(ControlEvents events)
    : m_hostWindow(
          platform::CreateMessageWindow([](uint32_t, platform::WParam, platform::LParam) {})),
      m_site(new HostSite(m_hostWindow)),
      m_sink(new EventSink(std::move(events))) {}

ControlHost::~ControlHost() {
    if (m_connectionPoint && m_cookie != 0) m_connectionPoint->Unadvise(m_cookie);
    m_connectionPoint.Reset();
    if (m_oleControl) {
        m_oleControl->Deactivate();
        m_oleControl->SetClientSite(nullptr);
    }
    m_oleControl.Reset();
    m_control.Reset();
    m_site->Release();
    m_sink->Release();
    if (m_hostWindow != platform::NullWindow) platform::DestroyMessageWindow(m_hostWindow);
}

std::optional<ControlError> ControlHost::Register(const std::string& library) {
    if (const HRESULT registered = platform::RegisterServer(library);
        platform::Failed(registered)) {
        return ControlError{std::nullopt,
                            "cannot register " + library + " (" + HresultText(registered) + ")"};
    }
    return std::nullopt;
}

std::optional<ControlError> ControlHost::CreateControl() {
    const std::optional<std::string> folder = ProgramFolder();
    const std::string beside = folder ? *folder + std::string(ControlLibraryName) : std::string();
    // A registry that names another build's control (an older checkout, another
    // folder) would run that control: the one beside the program is registered instead.
    std::error_code error;
    if (!beside.empty() && std::filesystem::exists(beside, error)) {
        const std::optional<std::string> registered = RegisteredLibrary();
        if (registered && *registered != beside) {
            if (auto problem = Register(beside)) return problem;
        }
    }
    HRESULT hr = platform::CreateInstanceByProgId(AurionCtrlProgId, platform::IID_IDispatch,
                                                  m_control.PutVoid());
    if (NeedsRegistration(hr)) {
        if (beside.empty()) return ControlError{std::nullopt, "cannot find the program folder"};
        if (auto problem = Register(beside)) return problem;
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
    if (m_hostWindow == platform::NullWindow) {
        return ControlError{std::nullopt, "cannot create the host window"};
    }
    if (auto error = CreateControl()) {
        return error;
    }
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
