// The automation variant: the value type of every dispatch argument and result.
// Conversion follows the platform's variant coercion: numbers convert between
// each other (with overflow checks), text converts to numbers and back, bool is
// 0 / -1 as a number and "True" / "False" as text.
//
// Details the callers may rely on: a float becomes an integer rounded half to even;
// text becomes a number only when, blanks trimmed, it is decimal ("+1", "-2.5",
// ".5", "1e3"; "." whatever the locale; no hexadecimal, "inf" or "nan"); text
// becomes a boolean from "True" / "False" in any case or from a number; numbers
// become their shortest text that reads back to the same value ("0.1", "1E+20").
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "platform/com/HResult.h"

namespace platform {

enum class VarType { Empty, Bool, I2, I4, R4, Bstr };

class Variant {
public:
    Variant() = default;
    Variant(bool value) : m_value(value) {}
    Variant(int16_t value) : m_value(value) {}
    Variant(int32_t value) : m_value(value) {}
    Variant(float value) : m_value(value) {}
    Variant(std::string value) : m_value(std::move(value)) {}
    Variant(const char* value) : m_value(std::string(value)) {}

    [[nodiscard]] VarType Type() const { return static_cast<VarType>(m_value.index()); }

    // Coerce into `target` as the platform's variant conversion does: S_OK,
    // DISP_E_TYPEMISMATCH (text that is no number) or DISP_E_OVERFLOW (a number
    // outside the target's range). Empty converts to 0, false and "".
    [[nodiscard]] HRESULT ChangeType(VarType target, Variant& out) const;

    // Typed access to a value already of that type (behaviour undefined otherwise;
    // call ChangeType first when the type is not known).
    [[nodiscard]] bool AsBool() const { return std::get<bool>(m_value); }
    [[nodiscard]] int16_t AsI2() const { return std::get<int16_t>(m_value); }
    [[nodiscard]] int32_t AsI4() const { return std::get<int32_t>(m_value); }
    [[nodiscard]] float AsR4() const { return std::get<float>(m_value); }
    [[nodiscard]] const std::string& AsBstr() const { return std::get<std::string>(m_value); }

    friend bool operator==(const Variant&, const Variant&) = default;

private:
    std::variant<std::monostate, bool, int16_t, int32_t, float, std::string> m_value;
};

}  // namespace platform
