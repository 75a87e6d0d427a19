// Late-bound calls into the Aurion control through its dispatch interface, with
// every way a call can fail turned into a ControlError: an automation exception
// (the control runs in error mode, so failing members raise their number and
// text), a dispatch failure of the platform, a result that cannot be coerced, and
// a method whose short result is itself an error number (the numbers without a
// text, such as 712, are returned even in error mode).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "host/ControlError.h"
#include "platform/com/Dispatch.h"
#include "platform/com/Variant.h"

namespace aurion::host {

// A dispatch identifier with the member's name, for the messages.
struct Member {
    platform::DispId Id;
    std::string_view Name;
};

class ControlCaller {
public:
    explicit ControlCaller(platform::IDispatch* control) : m_control(control) {}

    // Calls a method and keeps its result in `result` when given.
    [[nodiscard]] std::optional<ControlError> Call(Member member,
                                                   std::vector<platform::Variant> args,
                                                   platform::Variant* result = nullptr);
    // Calls a method and keeps its result coerced to `type`.
    [[nodiscard]] std::optional<ControlError> CallAs(Member member,
                                                     std::vector<platform::Variant> args,
                                                     platform::VarType type,
                                                     platform::Variant& value);
    // Calls a method whose short result is 0 for success and an error number otherwise.
    [[nodiscard]] std::optional<ControlError> CallStatus(Member member,
                                                         std::vector<platform::Variant> args);
    // Reads a property, coerced to `type`.
    [[nodiscard]] std::optional<ControlError> Get(Member member, platform::VarType type,
                                                  platform::Variant& value);
    [[nodiscard]] std::optional<ControlError> Put(Member member, platform::Variant value);

private:
    [[nodiscard]] std::optional<ControlError> Invoke(Member member, platform::InvokeKind kind,
                                                     std::vector<platform::Variant>& args,
                                                     platform::Variant* result);

    platform::IDispatch* m_control;
};

}  // namespace aurion::host
