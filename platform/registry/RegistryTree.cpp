#include "platform/registry/RegistryTree.h"

#include <algorithm>

namespace platform::registry {

namespace {

constexpr char EscapeMark = '%';
constexpr char KeyOpen = '[';
constexpr char KeyClose = ']';
constexpr char PathSeparator = '\\';
constexpr char DefaultValueMark = '@';
constexpr char ValueSeparator = '=';
constexpr std::string_view FileHeader = "; Trackdeck registry (HKEY_LOCAL_MACHINE)";

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsControl(char c) {
    auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

// Writes `text` with `%XX` in place of the escape mark, control bytes and, in names,
// the characters that give a line its meaning.
void AppendEscaped(std::string& out, std::string_view text, bool isName) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    for (char c : text) {
        bool special =
            c == EscapeMark || IsControl(c) ||
            (isName && (c == ValueSeparator || c == DefaultValueMark || c == KeyOpen || c == ';'));
        if (special) {
            auto byte = static_cast<unsigned char>(c);
            out += EscapeMark;
            out += Hex[byte >> 4];
            out += Hex[byte & 0xF];
        } else {
            out += c;
        }
    }
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A mark not followed by two hexadecimal digits stands for itself.
std::string Unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == EscapeMark && i + 2 < text.size()) {
            int high = HexValue(text[i + 1]);
            int low = HexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>((high << 4) | low);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

void FormatKey(const RegistryKey& key, std::string& path, std::string& out) {
    size_t pathLength = path.size();
    if (!path.empty()) path += PathSeparator;
    AppendEscaped(path, key.Name(), false);
    out += KeyOpen;
    out += path;
    out += KeyClose;
    out += '\n';
    for (const auto& [name, data] : key.Values()) {
        if (name.empty())
            out += DefaultValueMark;
        else
            AppendEscaped(out, name, true);
        out += ValueSeparator;
        AppendEscaped(out, data, false);
        out += '\n';
    }
    for (const auto& subKey : key.SubKeys()) FormatKey(*subKey, path, out);
    path.resize(pathLength);
}

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

RegistryKey* RegistryKey::FindSubKey(std::string_view name) const {
    for (const auto& subKey : m_subKeys)
        if (EqualsIgnoringCase(subKey->Name(), name)) return subKey.get();
    return nullptr;
}

RegistryKey& RegistryKey::CreateSubKey(std::string_view name) {
    if (RegistryKey* existing = FindSubKey(name)) return *existing;
    m_subKeys.push_back(std::make_unique<RegistryKey>(std::string(name)));
    return *m_subKeys.back();
}

bool RegistryKey::RemoveSubKey(std::string_view name) {
    auto it = std::find_if(m_subKeys.begin(), m_subKeys.end(), [name](const auto& subKey) {
        return EqualsIgnoringCase(subKey->Name(), name);
    });
    if (it == m_subKeys.end()) return false;
    m_subKeys.erase(it);
    return true;
}

const std::string* RegistryKey::FindValue(std::string_view name) const {
    for (const auto& [valueName, data] : m_values)
        if (EqualsIgnoringCase(valueName, name)) return &data;
    return nullptr;
}

bool RegistryKey::SetValue(std::string_view name, std::string_view data) {
    for (auto& [valueName, stored] : m_values) {
        if (EqualsIgnoringCase(valueName, name)) {
            if (stored == data) return false;
            stored = std::string(data);
            return true;
        }
    }
    m_values.emplace_back(std::string(name), std::string(data));
    return true;
}

std::vector<std::string_view> SplitKeyPath(std::string_view keyPath) {
    std::vector<std::string_view> parts;
    while (!keyPath.empty()) {
        size_t separator = keyPath.find(PathSeparator);
        std::string_view part = keyPath.substr(0, separator);
        if (!part.empty()) parts.push_back(part);
        if (separator == std::string_view::npos) break;
        keyPath.remove_prefix(separator + 1);
    }
    return parts;
}

void ParseRegistryText(std::string_view text, RegistryKey& root) {
    RegistryKey* current = nullptr;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == ';') continue;

        if (line.front() == KeyOpen) {
            current = nullptr;
            if (line.size() < 2 || line.back() != KeyClose) continue;
            std::vector<std::string_view> parts = SplitKeyPath(line.substr(1, line.size() - 2));
            if (parts.empty()) continue;
            RegistryKey* key = &root;
            for (std::string_view part : parts) key = &key->CreateSubKey(Unescape(part));
            current = key;
            continue;
        }

        size_t separator = line.find(ValueSeparator);
        if (current == nullptr || separator == std::string_view::npos) continue;
        std::string_view name = line.substr(0, separator);
        std::string_view data = line.substr(separator + 1);
        if (name.size() == 1 && name.front() == DefaultValueMark)
            current->SetValue("", Unescape(data));
        else if (!name.empty())
            current->SetValue(Unescape(name), Unescape(data));
    }
}

std::string FormatRegistryText(const RegistryKey& root) {
    std::string out(FileHeader);
    out += '\n';
    std::string path;
    for (const auto& key : root.SubKeys()) FormatKey(*key, path, out);
    return out;
}

}  // namespace platform::registry
