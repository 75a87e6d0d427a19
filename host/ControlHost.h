// Hosts one Aurion control on the calling thread, for every host alike: a host
// window, the client site with the host's services, the event sink advised on the
// control's connection point, and the control created by its ProgID and activated,
// so that it owns its message window.
//
// Each host stands by one control library: the command-line host by the
// Trackdeck.bin beside itself, the desktop program by the Aurion.ocx it installed
// into the system folder. When the registry names another library, or the
// control cannot be created as registered, the host registers its own first; a
// library that is not there is left alone and the registry's is used.
//
// Unless the host's events say otherwise, the stock Error event that the control
// fires in error mode is answered with CancelDisplay and reported like Failure, so
// the control shows no message for it.
//
// The control's events arrive while this thread lets window events run: in a loop
// of RunEvents, or through the platform's wake hook in a host with its own loop.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "host/ControlCaller.h"
#include "host/ControlError.h"
#include "host/EventSink.h"
#include "host/HostSite.h"
#include "platform/com/ConnectionPoint.h"
#include "platform/com/ControlSite.h"
#include "platform/com/Dispatch.h"
#include "platform/window/MessageWindow.h"

namespace aurion::host {

class ControlHost {
public:
    explicit ControlHost(ControlEvents events, HostServices services = StandardErrorServices());
    ~ControlHost();
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;
    ControlHost(ControlHost&&) = delete;
    ControlHost& operator=(ControlHost&&) = delete;

    // Creates, activates and advises the control; the host's own failures carry no
    // number. After a failure the host holds no control. Without a library, the host
    // stands by the Trackdeck.bin beside the program.
    [[nodiscard]] std::optional<ControlError> Start();
    [[nodiscard]] std::optional<ControlError> Start(const std::string& library);

    // The control's dispatch interface; null before a successful Start.
    [[nodiscard]] platform::IDispatch* Control() const { return m_control.Get(); }
    // Typed late-bound calls; a call before a successful Start fails with E_POINTER.
    [[nodiscard]] ControlCaller Caller() const { return ControlCaller(m_control.Get()); }

    // Lets window events run, waiting up to `timeout` for the first one.
    void RunEvents(std::chrono::milliseconds timeout);

private:
    [[nodiscard]] std::optional<ControlError> CreateControl(const std::string& library);
    [[nodiscard]] std::optional<ControlError> ActivateAndAdvise();
    void ReleaseControl();
    [[nodiscard]] static std::optional<ControlError> Register(const std::string& library);

    // The control activates only for a site that names a window; nothing is posted to it.
    HostSite* m_site = nullptr;   // one reference held
    EventSink* m_sink = nullptr;  // one reference held
    platform::ComPtr<platform::IDispatch> m_control;
    platform::ComPtr<platform::IOleControl> m_oleControl;
    platform::ComPtr<platform::IConnectionPoint> m_connectionPoint;
    uint32_t m_cookie = 0;
};

}  // namespace aurion::host
