#include "platform/com/Guid.h"

#include <cstdio>

#include "platform/com/Unknown.h"

namespace platform {

namespace {

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}": 38 characters.
constexpr size_t RegistryFormLength = 38;

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads `digits` hexadecimal digits at `pos`; false on anything else.
bool ReadHex(std::string_view text, size_t pos, size_t digits, uint32_t& value) {
    value = 0;
    for (size_t i = 0; i < digits; ++i) {
        int d = HexDigit(text[pos + i]);
        if (d < 0) return false;
        value = (value << 4) | static_cast<uint32_t>(d);
    }
    return true;
}

}  // namespace

std::string Guid::ToRegistryString() const {
    char buffer[RegistryFormLength + 1];
    std::snprintf(buffer, sizeof buffer, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  Data1, Data2, Data3, Data4[0], Data4[1], Data4[2], Data4[3], Data4[4], Data4[5],
                  Data4[6], Data4[7]);
    return buffer;
}

std::optional<Guid> Guid::Parse(std::string_view text) {
    if (text.size() != RegistryFormLength || text.front() != '{' || text.back() != '}')
        return std::nullopt;
    if (text[9] != '-' || text[14] != '-' || text[19] != '-' || text[24] != '-')
        return std::nullopt;
    Guid guid;
    uint32_t value = 0;
    if (!ReadHex(text, 1, 8, value)) return std::nullopt;
    guid.Data1 = value;
    if (!ReadHex(text, 10, 4, value)) return std::nullopt;
    guid.Data2 = static_cast<uint16_t>(value);
    if (!ReadHex(text, 15, 4, value)) return std::nullopt;
    guid.Data3 = static_cast<uint16_t>(value);
    // Data4: two bytes before the last dash, six after it.
    constexpr size_t Data4Positions[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (size_t i = 0; i < 8; ++i) {
        if (!ReadHex(text, Data4Positions[i], 2, value)) return std::nullopt;
        guid.Data4[i] = static_cast<uint8_t>(value);
    }
    return guid;
}

// The platform's fixed interface identities.
const Guid IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const Guid IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const Guid IID_IClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const Guid IID_IConnectionPointContainer = {
    0xB196B284, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
const Guid IID_IConnectionPoint = {
    0xB196B286, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
const Guid IID_IPropertyPage = {
    0xB196B28D, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
const Guid IID_IViewObject = {0x0000010D, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
// Our own hosting interface (no platform counterpart): {819D02B8-5F95-4C04-86BA-C8041FEE2BAC}.
const Guid IID_IOleControl = {
    0x819D02B8, 0x5F95, 0x4C04, {0x86, 0xBA, 0xC8, 0x04, 0x1F, 0xEE, 0x2B, 0xAC}};

}  // namespace platform
