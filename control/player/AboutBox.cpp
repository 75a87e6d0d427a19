#include "control/player/AboutBox.h"

#include <cstdio>

namespace aurion {

void ShowControlMessage(platform::IControlSite* site, std::string_view caption,
                        std::string_view text, platform::MessageKind kind) {
    if (site != nullptr) {
        site->ShowMessage(caption, text, kind);
        return;
    }
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                 static_cast<int>(text.size()), text.data());
}

void ShowAboutBox(platform::IControlSite* site) {
    ShowControlMessage(site, AboutCaption, AboutText, platform::MessageKind::Information);
}

}  // namespace aurion
