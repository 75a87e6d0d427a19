// The host's one client site: the host's window, the modified notification and
// the host's message service, through which the control shows its about box and
// the stock errors its host did not cancel. Each host says what its services do;
// a service left unset does nothing.
#pragma once

#include <functional>
#include <string_view>

#include "platform/com/ComObject.h"
#include "platform/com/ControlSite.h"

namespace aurion::host {

struct HostServices {
    std::function<void()> Modified;
    std::function<void(std::string_view caption, std::string_view text, platform::MessageKind kind)>
        ShowMessage;
};

// Messages on standard error: the service of a host without windows.
[[nodiscard]] HostServices StandardErrorServices();

class HostSite final : public platform::ComObject<platform::IControlSite> {
public:
    explicit HostSite(HostServices services) : m_services(std::move(services)) {}

    // The control makes its own message window; the host lends it none.
    platform::WindowHandle HostWindow() override { return platform::NullWindow; }
    void OnModified() override {
        if (m_services.Modified) m_services.Modified();
    }
    void ShowMessage(std::string_view caption, std::string_view text,
                     platform::MessageKind kind) override {
        if (m_services.ShowMessage) m_services.ShowMessage(caption, text, kind);
    }

private:
    ~HostSite() override = default;

    HostServices m_services;
};

}  // namespace aurion::host
