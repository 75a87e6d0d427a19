#include "host/ControlError.h"

#include <cstdio>

namespace aurion::host {

std::string HresultText(platform::HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
    return text;
}

std::string FormatError(const ControlError& error) {
    std::string line = "error";
    if (error.Number) {
        line += " " + std::to_string(*error.Number);
    }
    if (!error.Text.empty()) {
        line += ": " + error.Text;
    }
    return line;
}

ControlError ErrorFromException(const platform::ExcepInfo& exception, std::string_view member) {
    const auto scode = static_cast<uint32_t>(exception.Scode);
    if (((scode >> 16) & 0x7FFu) == platform::FACILITY_CONTROL) {
        return {static_cast<int32_t>(scode & 0xFFFFu), exception.Description};
    }
    std::string text = std::string(member) + " failed (" + HresultText(exception.Scode) + ")";
    if (!exception.Description.empty()) {
        text += ": " + exception.Description;
    }
    return {std::nullopt, text};
}

ControlError ErrorFromHresult(platform::HRESULT hr, std::string_view member) {
    return {std::nullopt,
            "the control refused " + std::string(member) + " (" + HresultText(hr) + ")"};
}

}  // namespace aurion::host
