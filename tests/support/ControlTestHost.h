// A host for the Aurion control in tests, as the desktop program hosts it: the
// registry and system folder point at a fresh temporary folder, Trackdeck.bin from
// the program folder is registered there, the control is created by its ProgID on a
// host window with the hosts' client site (recording its messages), activated (so it
// owns its message window) and advised with the hosts' event sink, recording every
// event in order. Each step can be left out, for tests of the control's hosting. Calls go through
// GetIdOfName and Invoke exactly as a late-bound caller makes them.
//
//     aurion::test::ControlTestHost host;
//     ASSERT_TRUE(host.Ready()) << host.Problem();
//     auto open = host.Call("Open", "/tmp/a.mp3", "");
//     EXPECT_EQ(open.Hr, platform::S_OK);
//     EXPECT_EQ(open.Short(), 0);
//     host.Call("Play");
//     ASSERT_TRUE(host.PumpUntil([&] { return host.ThreadEndedCount() > 0; }));
//
// Everything runs on the thread that made the host; PumpUntil lets window events run.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/EventSink.h"
#include "host/HostSite.h"
#include "platform/com/ConnectionPoint.h"
#include "platform/com/ControlSite.h"
#include "platform/com/Dispatch.h"
#include "platform/com/Variant.h"
#include "tests/support/ScopedEnvironment.h"

namespace aurion::test {

// What one Invoke gave back.
struct DispatchOutcome {
    platform::HRESULT Hr = platform::E_FAIL;
    platform::Variant Result;
    platform::ExcepInfo Error;

    // The result coerced (0, "" or false when it cannot be).
    [[nodiscard]] int16_t Short() const;
    [[nodiscard]] int32_t Long() const;
    [[nodiscard]] float Float() const;
    [[nodiscard]] bool Bool() const;
    [[nodiscard]] std::string Text() const;
    // The control's error number of a raised exception (low 16 bits of the SCODE).
    [[nodiscard]] int32_t RaisedNumber() const;
};

enum class EventKind { ActFrame, ThreadEnded, Failure, Error };

struct RecordedEvent {
    EventKind Kind = EventKind::ActFrame;
    int32_t Number = 0;           // ActFrame: the frame; Failure/Error: the error number
    std::string Text;             // Failure/Error: the text
    platform::HRESULT Scode = 0;  // Error: the SCODE argument
};

struct ShownMessage {
    std::string Caption;
    std::string Text;
    platform::MessageKind Kind = platform::MessageKind::Information;
};

struct HostOptions {
    bool WithSite = true;    // hand the control a client site
    bool Activate = true;    // IOleControl::Activate after creation
    bool AdviseSink = true;  // advise the recording event sink
};

inline platform::Variant ToVariant(const platform::Variant& v) { return v; }
inline platform::Variant ToVariant(bool v) { return platform::Variant(v); }
inline platform::Variant ToVariant(int16_t v) { return platform::Variant(v); }
inline platform::Variant ToVariant(int v) { return platform::Variant(static_cast<int32_t>(v)); }
inline platform::Variant ToVariant(float v) { return platform::Variant(v); }
inline platform::Variant ToVariant(double v) { return platform::Variant(static_cast<float>(v)); }
inline platform::Variant ToVariant(const char* v) { return platform::Variant(v); }
inline platform::Variant ToVariant(const std::string& v) { return platform::Variant(v); }

class ControlTestHost {
public:
    ControlTestHost();
    explicit ControlTestHost(HostOptions options);
    ~ControlTestHost();
    ControlTestHost(const ControlTestHost&) = delete;
    ControlTestHost& operator=(const ControlTestHost&) = delete;

    // True when registration, creation, activation and advising all succeeded.
    [[nodiscard]] bool Ready() const { return m_problem.empty(); }
    [[nodiscard]] const std::string& Problem() const { return m_problem; }

    // Late-bound calls: the name is looked up with GetIdOfName. A name the control
    // does not know gives Hr = DISP_E_UNKNOWNNAME.
    // Plain int arguments travel as long (I4), double as float (R4), short as I2.
    template <class... Args>
    DispatchOutcome Call(std::string_view name, const Args&... args) {
        std::vector<platform::Variant> list{ToVariant(args)...};
        return Invoke(name, platform::InvokeKind::Method, std::move(list));
    }
    DispatchOutcome Get(std::string_view name);
    template <class T>
    DispatchOutcome Put(std::string_view name, const T& value) {
        return Invoke(name, platform::InvokeKind::PropertyPut, {ToVariant(value)});
    }
    DispatchOutcome Invoke(std::string_view name, platform::InvokeKind kind,
                           std::vector<platform::Variant> args);
    DispatchOutcome InvokeId(platform::DispId id, platform::InvokeKind kind,
                             std::vector<platform::Variant> args);

    // Lets window events run until the predicate holds or the time is up.
    bool PumpUntil(const std::function<bool()>& predicate,
                   std::chrono::milliseconds timeout = std::chrono::seconds(20));
    // Lets pending window events run once.
    void Pump();

    [[nodiscard]] const std::vector<RecordedEvent>& Events() const;
    [[nodiscard]] std::vector<int32_t> ActFrames() const;
    [[nodiscard]] int ThreadEndedCount() const;
    void ClearEvents();
    // The answer the sink gives in the stock Error event's CancelDisplay argument.
    void SetCancelDisplay(bool cancel);

    [[nodiscard]] int ModifiedCount() const;
    [[nodiscard]] const std::vector<ShownMessage>& Messages() const;
    void ClearSiteRecords();

    [[nodiscard]] platform::IDispatch* Dispatch() const { return m_dispatch.Get(); }
    [[nodiscard]] platform::IUnknown* Control() const { return m_dispatch.Get(); }
    [[nodiscard]] platform::IOleControl* OleControl() const { return m_oleControl.Get(); }
    [[nodiscard]] platform::IViewObject* View() const { return m_view.Get(); }
    // The control's own message window (NullWindow before activation).
    [[nodiscard]] platform::WindowHandle ControlWindow() const;

    // The temporary folder of this host (ends with "/"), for test files.
    [[nodiscard]] const std::string& Folder() const { return m_environment.Folder(); }
    [[nodiscard]] std::string LibraryPath() const;

    // Releases the control (its destructor runs if nothing else holds it).
    void ReleaseControl();

private:
    platform::test::ScopedEnvironment m_environment;
    std::string m_problem;
    std::vector<RecordedEvent> m_events;
    std::vector<ShownMessage> m_messages;
    int m_modified = 0;
    bool m_cancelDisplay = false;
    host::HostSite* m_site = nullptr;   // one reference held
    host::EventSink* m_sink = nullptr;  // one reference held
    platform::ComPtr<platform::IDispatch> m_dispatch;
    platform::ComPtr<platform::IOleControl> m_oleControl;
    platform::ComPtr<platform::IViewObject> m_view;
    platform::ComPtr<platform::IConnectionPoint> m_connectionPoint;
    uint32_t m_cookie = 0;
};

}  // namespace aurion::test
