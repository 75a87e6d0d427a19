#include "tests/support/ControlTestHost.h"

#include <algorithm>
#include <type_traits>

#include "control/AurionInterface.h"
#include "platform/com/ComObject.h"
#include "platform/com/ComponentCreation.h"

namespace aurion::test {

using platform::ComPtr;
using platform::Guid;
using platform::HRESULT;
using platform::Variant;
using platform::VarType;

namespace {

template <class T>
T Coerced(const Variant& value, VarType type, T fallback) {
    Variant converted;
    if (platform::Failed(value.ChangeType(type, converted))) return fallback;
    if constexpr (std::is_same_v<T, int16_t>) return converted.AsI2();
    if constexpr (std::is_same_v<T, int32_t>) return converted.AsI4();
    if constexpr (std::is_same_v<T, float>) return converted.AsR4();
    if constexpr (std::is_same_v<T, bool>) return converted.AsBool();
    if constexpr (std::is_same_v<T, std::string>) return converted.AsBstr();
}

}  // namespace

int16_t DispatchOutcome::Short() const { return Coerced<int16_t>(Result, VarType::I2, 0); }
int32_t DispatchOutcome::Long() const { return Coerced<int32_t>(Result, VarType::I4, 0); }
float DispatchOutcome::Float() const { return Coerced<float>(Result, VarType::R4, 0.0f); }
bool DispatchOutcome::Bool() const { return Coerced<bool>(Result, VarType::Bool, false); }
std::string DispatchOutcome::Text() const {
    return Coerced<std::string>(Result, VarType::Bstr, std::string());
}
int32_t DispatchOutcome::RaisedNumber() const {
    return static_cast<int32_t>(static_cast<uint32_t>(Error.Scode) & 0xFFFFu);
}

class RecordingSite final : public platform::ComObject<platform::IControlSite> {
public:
    explicit RecordingSite(platform::WindowHandle hostWindow) : m_hostWindow(hostWindow) {}

    platform::WindowHandle HostWindow() override { return m_hostWindow; }
    void OnModified() override { ++Modified; }
    void ShowMessage(std::string_view caption, std::string_view text,
                     platform::MessageKind kind) override {
        Messages.push_back({std::string(caption), std::string(text), kind});
    }

    int Modified = 0;
    std::vector<ShownMessage> Messages;

private:
    ~RecordingSite() override = default;
    platform::WindowHandle m_hostWindow;
};

class RecordingSink final : public platform::ComObject<platform::IDispatch> {
public:
    HRESULT GetIdOfName(std::string_view, platform::DispId& id) override {
        id = platform::DISPID_UNKNOWN;
        return platform::DISP_E_UNKNOWNNAME;
    }

    HRESULT Invoke(platform::DispId id, platform::InvokeKind, std::span<Variant> args, Variant*,
                   platform::ExcepInfo*) override {
        RecordedEvent event;
        switch (id) {
            case EventIds::ActFrame:
                if (args.size() != 1) return platform::DISP_E_BADPARAMCOUNT;
                event.Kind = EventKind::ActFrame;
                event.Number = Coerced<int32_t>(args[0], VarType::I4, -1);
                break;
            case EventIds::ThreadEnded:
                event.Kind = EventKind::ThreadEnded;
                break;
            case EventIds::Failure:
                if (args.size() != 2) return platform::DISP_E_BADPARAMCOUNT;
                event.Kind = EventKind::Failure;
                event.Number = Coerced<int32_t>(args[0], VarType::I4, -1);
                event.Text = Coerced<std::string>(args[1], VarType::Bstr, std::string());
                break;
            case EventIds::Error:
                if (args.size() != 7) return platform::DISP_E_BADPARAMCOUNT;
                event.Kind = EventKind::Error;
                event.Number = Coerced<int16_t>(args[0], VarType::I2, -1);
                event.Text = Coerced<std::string>(args[1], VarType::Bstr, std::string());
                event.Scode = Coerced<int32_t>(args[2], VarType::I4, 0);
                args[EventIds::ErrorCancelDisplayArg] = Variant(CancelDisplay);
                break;
            default:
                return platform::DISP_E_MEMBERNOTFOUND;
        }
        Events.push_back(std::move(event));
        return platform::S_OK;
    }

    std::vector<RecordedEvent> Events;
    bool CancelDisplay = false;

private:
    ~RecordingSink() override = default;

    [[nodiscard]] bool Provides(const Guid& iid) const override {
        return iid == platform::IID_IDispatch || iid == DIID__DAurionEvents;
    }
};

ControlTestHost::ControlTestHost() : ControlTestHost(HostOptions{}) {}

ControlTestHost::ControlTestHost(HostOptions options) {
    if (options.WithHostWindow) {
        m_hostWindow =
            platform::CreateMessageWindow([](uint32_t, platform::WParam, platform::LParam) {});
    }
    m_site = new RecordingSite(m_hostWindow);
    m_sink = new RecordingSink();
    if (m_environment.Folder().empty()) {
        m_problem = "no temporary folder";
        return;
    }

    if (HRESULT hr = platform::RegisterServer(LibraryPath()); platform::Failed(hr)) {
        m_problem = "RegisterServer failed: " + std::to_string(hr);
        return;
    }
    if (HRESULT hr = platform::CreateInstanceByProgId(AurionCtrlProgId, platform::IID_IDispatch,
                                                      m_dispatch.PutVoid());
        platform::Failed(hr) || !m_dispatch) {
        m_problem = "CreateInstanceByProgId failed: " + std::to_string(hr);
        return;
    }
    if (platform::Failed(
            m_dispatch->QueryInterface(platform::IID_IOleControl, m_oleControl.PutVoid())) ||
        platform::Failed(m_dispatch->QueryInterface(platform::IID_IViewObject, m_view.PutVoid()))) {
        m_problem = "the control lacks IOleControl or IViewObject";
        return;
    }
    if (options.WithSite && platform::Failed(m_oleControl->SetClientSite(m_site))) {
        m_problem = "SetClientSite failed";
        return;
    }
    if (options.Activate && platform::Failed(m_oleControl->Activate())) {
        m_problem = "Activate failed";
        return;
    }
    if (options.AdviseSink) {
        ComPtr<platform::IConnectionPointContainer> container;
        if (platform::Failed(m_dispatch->QueryInterface(platform::IID_IConnectionPointContainer,
                                                        container.PutVoid())) ||
            platform::Failed(
                container->FindConnectionPoint(DIID__DAurionEvents, m_connectionPoint.Put())) ||
            platform::Failed(m_connectionPoint->Advise(m_sink, m_cookie))) {
            m_problem = "advising the event sink failed";
            return;
        }
    }
}

ControlTestHost::~ControlTestHost() {
    ReleaseControl();
    if (m_site) m_site->Release();
    if (m_sink) m_sink->Release();
    if (m_hostWindow != platform::NullWindow) platform::DestroyMessageWindow(m_hostWindow);
}

void ControlTestHost::ReleaseControl() {
    if (m_connectionPoint && m_cookie != 0) m_connectionPoint->Unadvise(m_cookie);
    m_cookie = 0;
    m_connectionPoint.Reset();
    if (m_oleControl) m_oleControl->SetClientSite(nullptr);
    m_view.Reset();
    m_oleControl.Reset();
    m_dispatch.Reset();
}

std::string ControlTestHost::LibraryPath() const { return TRACKDECK_BIN_DIR "/Trackdeck.bin"; }

DispatchOutcome ControlTestHost::Invoke(std::string_view name, platform::InvokeKind kind,
                                        std::vector<Variant> args) {
    DispatchOutcome outcome;
    if (!m_dispatch) return outcome;
    platform::DispId id = platform::DISPID_UNKNOWN;
    outcome.Hr = m_dispatch->GetIdOfName(name, id);
    if (platform::Failed(outcome.Hr)) return outcome;
    return InvokeId(id, kind, std::move(args));
}

DispatchOutcome ControlTestHost::InvokeId(platform::DispId id, platform::InvokeKind kind,
                                          std::vector<Variant> args) {
    DispatchOutcome outcome;
    if (!m_dispatch) return outcome;
    outcome.Hr =
        m_dispatch->Invoke(id, kind, std::span<Variant>(args), &outcome.Result, &outcome.Error);
    return outcome;
}

DispatchOutcome ControlTestHost::Get(std::string_view name) {
    return Invoke(name, platform::InvokeKind::PropertyGet, {});
}

bool ControlTestHost::PumpUntil(const std::function<bool()>& predicate,
                                std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    platform::PumpMessages();
    while (!predicate()) {
        auto now = std::chrono::steady_clock::now();
        if (now >= deadline) return false;
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
        platform::WaitAndPumpMessages(std::min(left, std::chrono::milliseconds(50)));
    }
    return true;
}

void ControlTestHost::Pump() { platform::PumpMessages(); }

const std::vector<RecordedEvent>& ControlTestHost::Events() const { return m_sink->Events; }

std::vector<int32_t> ControlTestHost::ActFrames() const {
    std::vector<int32_t> frames;
    for (const RecordedEvent& event : m_sink->Events)
        if (event.Kind == EventKind::ActFrame) frames.push_back(event.Number);
    return frames;
}

int ControlTestHost::ThreadEndedCount() const {
    int count = 0;
    for (const RecordedEvent& event : m_sink->Events)
        if (event.Kind == EventKind::ThreadEnded) ++count;
    return count;
}

void ControlTestHost::ClearEvents() { m_sink->Events.clear(); }
void ControlTestHost::SetCancelDisplay(bool cancel) { m_sink->CancelDisplay = cancel; }
int ControlTestHost::ModifiedCount() const { return m_site->Modified; }
const std::vector<ShownMessage>& ControlTestHost::Messages() const { return m_site->Messages; }

void ControlTestHost::ClearSiteRecords() {
    m_site->Modified = 0;
    m_site->Messages.clear();
}

platform::WindowHandle ControlTestHost::ControlWindow() const {
    platform::WindowHandle window = platform::NullWindow;
    if (m_oleControl && platform::Failed(m_oleControl->GetWindow(window)))
        return platform::NullWindow;
    return window;
}

}  // namespace aurion::test
