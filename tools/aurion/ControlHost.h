// Hosts one Aurion control on the calling thread, as the desktop program does: a
// host window, a client site (HostWindow, OnModified, ShowMessage on standard
// error), an event sink advised on the control's connection point, and the control
// created by its ProgID and activated, so that it owns its message window and its
// events arrive while this thread lets window events run. When the ProgID is not
// registered yet, its registered library cannot be loaded, or the registry names
// another library than the Trackdeck.bin beside the program, the host registers
// that Trackdeck.bin first.
//
// The stock Error event that the control fires in error mode is answered with
// CancelDisplay and reported like Failure, so the control shows no message for it.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/com/ConnectionPoint.h"
#include "platform/com/ControlSite.h"
#include "platform/com/Dispatch.h"
#include "platform/window/MessageWindow.h"
#include "tools/aurion/ControlError.h"

namespace aurion::host {

struct ControlEvents {
    std::function<void(int32_t frame)> ActFrame;
    std::function<void()> ThreadEnded;
    // Failure, or the stock Error event: the worker's number and text.
    std::function<void(const ControlError& error)> Failure;
};

class HostSite;
class EventSink;

class ControlHost {
public:
    explicit ControlHost(ControlEvents events);
    ~ControlHost();
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;
    ControlHost(ControlHost&&) = delete;
    ControlHost& operator=(ControlHost&&) = delete;

    // Creates, activates and advises the control; the host's own failures carry no number.
    [[nodiscard]] std::optional<ControlError> Start();

    // The control's dispatch interface; null before a successful Start.
    [[nodiscard]] platform::IDispatch* Control() const { return m_control.Get(); }

    // Lets window events run, waiting up to `timeout` for the first one.
    void RunEvents(std::chrono::milliseconds timeout);

private:
    [[nodiscard]] std::optional<ControlError> CreateControl();
    [[nodiscard]] static std::optional<ControlError> Register(const std::string& library);

    platform::WindowHandle m_hostWindow = platform::NullWindow;
    HostSite* m_site = nullptr;   // one reference held
    EventSink* m_sink = nullptr;  // one reference held
    platform::ComPtr<platform::IDispatch> m_control;
    platform::ComPtr<platform::IOleControl> m_oleControl;
    platform::ComPtr<platform::IConnectionPoint> m_connectionPoint;
    uint32_t m_cookie = 0;
};

}  // namespace aurion::host
