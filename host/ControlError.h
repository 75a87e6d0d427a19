// A failure as the host reports it: the control's error number with its text
// (either may be missing: some of the control's numbers carry no text, and the
// host's own failures, such as a control that cannot be created, carry no number).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/com/Dispatch.h"

namespace aurion::host {

struct ControlError {
    std::optional<int32_t> Number;
    std::string Text;
};

// "error N: TEXT", "error N" without a text, "error: TEXT" without a number.
[[nodiscard]] std::string FormatError(const ControlError& error);

// An automation exception of the control: facility control carries the control's
// error number in its low 16 bits; any other SCODE is the platform's, shown in hex.
[[nodiscard]] ControlError ErrorFromException(const platform::ExcepInfo& exception,
                                              std::string_view member);

// "0x800401F3": a status code as the messages show it.
[[nodiscard]] std::string HresultText(platform::HRESULT hr);

// A dispatch call that failed without an exception (unknown member, bad arguments).
[[nodiscard]] ControlError ErrorFromHresult(platform::HRESULT hr, std::string_view member);

}  // namespace aurion::host
