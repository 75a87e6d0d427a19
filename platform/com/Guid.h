// A 128-bit GUID with its registry form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
// (upper-case hexadecimal in braces), as component identities are written.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct Guid {
    uint32_t Data1 = 0;
    uint16_t Data2 = 0;
    uint16_t Data3 = 0;
    std::array<uint8_t, 8> Data4{};

    friend bool operator==(const Guid&, const Guid&) = default;

    [[nodiscard]] std::string ToRegistryString() const;
    // Accepts the registry form, braces required, hexadecimal digits of either case.
    [[nodiscard]] static std::optional<Guid> Parse(std::string_view text);
};

}  // namespace platform
