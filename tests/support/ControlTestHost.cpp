#include "tests/support/ControlTestHost.h"

#include <algorithm>
#include <type_traits>

#include "control/AurionInterface.h"
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

ControlTestHost::ControlTestHost() : ControlTestHost(HostOptions{}) {}

ControlTestHost::ControlTestHost(HostOptions options) {
    host::HostServices services;
    services.Modified = [this] { ++m_modified; };
    services.ShowMessage = [this](std::string_view caption, std::string_view text,
                                  platform::MessageKind kind) {
        m_messages.push_back({std::string(caption), std::string(text), kind});
    };
    m_site = new host::HostSite(std::move(services));
    host::ControlEvents events;
    events.ActFrame = [this](int32_t frame) {
        m_events.push_back({EventKind::ActFrame, frame, {}, 0});
    };
    events.ThreadEnded = [this] { m_events.push_back({EventKind::ThreadEnded, 0, {}, 0}); };
    events.Failure = [this](const host::ControlError& error) {
        m_events.push_back({EventKind::Failure, error.Number.value_or(-1), error.Text, 0});
    };
    events.StockError = [this](const host::ControlError& error, platform::HRESULT scode) {
        m_events.push_back({EventKind::Error, error.Number.value_or(-1), error.Text, scode});
        return m_cancelDisplay;
    };
    m_sink = new host::EventSink(std::move(events));
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

const std::vector<RecordedEvent>& ControlTestHost::Events() const { return m_events; }

std::vector<int32_t> ControlTestHost::ActFrames() const {
    std::vector<int32_t> frames;
    for (const RecordedEvent& event : m_events)
        if (event.Kind == EventKind::ActFrame) frames.push_back(event.Number);
    return frames;
}

int ControlTestHost::ThreadEndedCount() const {
    int count = 0;
    for (const RecordedEvent& event : m_events)
        if (event.Kind == EventKind::ThreadEnded) ++count;
    return count;
}

void ControlTestHost::ClearEvents() { m_events.clear(); }
void ControlTestHost::SetCancelDisplay(bool cancel) { m_cancelDisplay = cancel; }
int ControlTestHost::ModifiedCount() const { return m_modified; }
const std::vector<ShownMessage>& ControlTestHost::Messages() const { return m_messages; }

void ControlTestHost::ClearSiteRecords() {
    m_modified = 0;
    m_messages.clear();
}

platform::WindowHandle ControlTestHost::ControlWindow() const {
    platform::WindowHandle window = platform::NullWindow;
    if (m_oleControl && platform::Failed(m_oleControl->GetWindow(window)))
        return platform::NullWindow;
    return window;
}

}  // namespace aurion::test
