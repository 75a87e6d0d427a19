// The about dialog: "About Aurion Control" with the line "Aurion Control, Version
// 1.5" and an OK button, shown through the host's message service. Without a site
// the text goes to standard error.
#pragma once

#include <string_view>

#include "platform/com/ControlSite.h"

namespace aurion {

inline constexpr std::string_view AboutCaption = "About Aurion Control";
inline constexpr std::string_view AboutText = "Aurion Control, Version 1.5";

void ShowAboutBox(platform::IControlSite* site);

// The host's message box, or standard error when there is no host.
void ShowControlMessage(platform::IControlSite* site, std::string_view caption,
                        std::string_view text, platform::MessageKind kind);

}  // namespace aurion
