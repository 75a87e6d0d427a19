// The members of _DAurion as the dispatch interface knows them: identifier, name,
// kind, the variant types of the arguments (in natural order) and of the result.
// Invoke coerces every argument to its listed type before a member runs, so the
// members themselves only ever see values of the right type.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/com/Dispatch.h"
#include "platform/com/Variant.h"

namespace aurion {

enum class MemberKind { Method, Property, ReadOnlyProperty };

struct DispatchMember {
    platform::DispId Id = platform::DISPID_UNKNOWN;
    std::string_view Name;
    MemberKind Kind = MemberKind::Method;
    platform::VarType Result = platform::VarType::Empty;  // a property's type
    uint8_t ArgCount = 0;
    std::array<platform::VarType, 2> Args{};

    [[nodiscard]] constexpr bool IsProperty() const { return Kind != MemberKind::Method; }
};

[[nodiscard]] std::span<const DispatchMember> AurionMembers();
// Null for an identifier that is not a member (23 among them).
[[nodiscard]] const DispatchMember* FindMember(platform::DispId id);
// Looks the name up without regard to case; null when unknown.
[[nodiscard]] const DispatchMember* FindMemberByName(std::string_view name);

}  // namespace aurion
