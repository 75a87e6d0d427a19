#include "platform/com/Variant.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace platform {

namespace {

// The platform's text for booleans, in either direction.
constexpr std::string_view TrueText = "True";
constexpr std::string_view FalseText = "False";
// A boolean as a number: true is all bits set.
constexpr int32_t TrueNumber = -1;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
        char y = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] - 'A' + 'a') : b[i];
        if (x != y) return false;
    }
    return true;
}

struct Number {
    HRESULT Status = S_OK;
    double Value = 0.0;
};

// Decimal text with optional sign, fraction and exponent, surrounded by blanks; the
// decimal point is "." whatever the locale. Hexadecimal, "inf" and "nan" are no numbers.
Number ParseDecimal(std::string_view text) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return {DISP_E_TYPEMISMATCH};
    bool digitFirst = (text.front() >= '0' && text.front() <= '9') ||
                      (text.front() == '.' && text.size() > 1 && text[1] >= '0' && text[1] <= '9');
    if (!digitFirst) return {DISP_E_TYPEMISMATCH};
    double value = 0.0;
    auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (end != text.data() + text.size()) return {DISP_E_TYPEMISMATCH};
    if (error == std::errc::result_out_of_range) {
        // A huge magnitude overflows; a tiny one is simply zero.
        bool tiny =
            text.find("e-") != std::string_view::npos || text.find("E-") != std::string_view::npos;
        if (!tiny) return {DISP_E_OVERFLOW};
        value = 0.0;
    } else if (error != std::errc()) {
        return {DISP_E_TYPEMISMATCH};
    }
    return {S_OK, negative ? -value : value};
}

// Rounds half to even (the platform's banker's rounding) and checks the target range.
template <class Integer>
HRESULT ToInteger(double value, Integer& out) {
    if (std::isnan(value)) return DISP_E_OVERFLOW;
    double rounded = std::nearbyint(value);
    if (rounded < static_cast<double>(std::numeric_limits<Integer>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Integer>::max()))
        return DISP_E_OVERFLOW;
    out = static_cast<Integer>(rounded);
    return S_OK;
}

HRESULT ToFloat(double value, float& out) {
    if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max())
        return DISP_E_OVERFLOW;
    out = static_cast<float>(value);
    return S_OK;
}

// The shortest text that reads back as the same float, with the platform's "E".
std::string FloatText(float value) {
    if (value == 0.0f) return "0";
    char buffer[32];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc()) return "0";
    std::string text(buffer, end);
    for (char& c : text)
        if (c == 'e') c = 'E';
    return text;
}

// A number into a numeric or boolean target.
HRESULT NumberTo(VarType target, double value, Variant& out) {
    switch (target) {
        case VarType::Bool:
            out = Variant(value != 0.0);
            return S_OK;
        case VarType::I2: {
            int16_t result = 0;
            HRESULT hr = ToInteger(value, result);
            if (Succeeded(hr)) out = Variant(result);
            return hr;
        }
        case VarType::I4: {
            int32_t result = 0;
            HRESULT hr = ToInteger(value, result);
            if (Succeeded(hr)) out = Variant(result);
            return hr;
        }
        case VarType::R4: {
            float result = 0;
            HRESULT hr = ToFloat(value, result);
            if (Succeeded(hr)) out = Variant(result);
            return hr;
        }
        case VarType::Empty:
        case VarType::Bstr:
            break;
    }
    return DISP_E_TYPEMISMATCH;
}

}  // namespace

HRESULT Variant::ChangeType(VarType target, Variant& out) const {
    const VarType source = Type();
    if (source == target) {
        out = *this;
        return S_OK;
    }
    if (target == VarType::Empty) {
        out = Variant();
        return S_OK;
    }

    switch (source) {
        case VarType::Empty:
            if (target == VarType::Bstr) {
                out = Variant(std::string());
                return S_OK;
            }
            return NumberTo(target, 0.0, out);
        case VarType::Bool:
            if (target == VarType::Bstr) {
                out = Variant(std::string(AsBool() ? TrueText : FalseText));
                return S_OK;
            }
            return NumberTo(target, AsBool() ? TrueNumber : 0, out);
        case VarType::I2:
            if (target == VarType::Bstr) {
                out = Variant(std::to_string(AsI2()));
                return S_OK;
            }
            return NumberTo(target, AsI2(), out);
        case VarType::I4:
            if (target == VarType::Bstr) {
                out = Variant(std::to_string(AsI4()));
                return S_OK;
            }
            return NumberTo(target, AsI4(), out);
        case VarType::R4:
            if (target == VarType::Bstr) {
                out = Variant(FloatText(AsR4()));
                return S_OK;
            }
            return NumberTo(target, AsR4(), out);
        case VarType::Bstr: {
            std::string_view trimmed = Trim(AsBstr());
            if (target == VarType::Bool) {
                if (EqualsIgnoringCase(trimmed, TrueText)) {
                    out = Variant(true);
                    return S_OK;
                }
                if (EqualsIgnoringCase(trimmed, FalseText)) {
                    out = Variant(false);
                    return S_OK;
                }
            }
            Number number = ParseDecimal(trimmed);
            if (Failed(number.Status)) return number.Status;
            return NumberTo(target, number.Value, out);
        }
    }
    return DISP_E_TYPEMISMATCH;
}

}  // namespace platform
