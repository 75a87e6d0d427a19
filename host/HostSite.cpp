#include "host/HostSite.h"

#include <cstdio>

namespace aurion::host {

HostServices StandardErrorServices() {
    HostServices services;
    services.ShowMessage = [](std::string_view caption, std::string_view text,
                              platform::MessageKind) {
        std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                     static_cast<int>(text.size()), text.data());
    };
    return services;
}

}  // namespace aurion::host
