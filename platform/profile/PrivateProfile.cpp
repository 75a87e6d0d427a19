#include "platform/profile/PrivateProfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

namespace platform {

namespace {

constexpr std::string_view Blanks = " \t\r\n";

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(Blanks);
    return text.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// One line of the file with its terminator, so that unchanged lines are written back
// exactly as they were read.
struct Line {
    std::string Text;        // without the terminator
    std::string Terminator;  // "\n", "\r\n" or "" for a last line without one
};

std::vector<Line> SplitLines(const std::string& content) {
    std::vector<Line> lines;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back({content.substr(start), ""});
            break;
        }
        size_t textEnd = end;
        if (textEnd > start && content[textEnd - 1] == '\r') --textEnd;
        lines.push_back(
            {content.substr(start, textEnd - start), content.substr(textEnd, end + 1 - textEnd)});
        start = end + 1;
    }
    return lines;
}

// The name of a section header line, if the line is one.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[') return std::nullopt;
    const size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

// The key of a "key=value" line.
std::optional<std::string_view> KeyName(std::string_view line) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(0, equals));
}

std::optional<std::string> ReadFile(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteWhole(int fd, const std::string& content) {
    size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n <= 0) return false;
        written += static_cast<size_t>(n);
    }
    return true;
}

// Writes the content to a temporary file in the same folder and renames it over `file`.
bool ReplaceFile(const std::string& file, const std::string& content) {
    std::string temporary = file + ".XXXXXX";
    std::vector<char> pattern(temporary.begin(), temporary.end());
    pattern.push_back('\0');
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) return false;
    temporary = pattern.data();
    ::fchmod(fd, 0644);
    const bool written = WriteWhole(fd, content) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written || std::rename(temporary.c_str(), file.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, const std::string& file) {
    const std::optional<std::string> content = ReadFile(file);
    if (!content) return std::string(defaultValue);
    bool inSection = false;
    for (const Line& line : SplitLines(*content)) {
        if (std::optional<std::string_view> name = SectionName(line.Text)) {
            inSection = SameName(*name, Trim(section));
            continue;
        }
        if (!inSection) continue;
        std::optional<std::string_view> name = KeyName(line.Text);
        if (name && SameName(*name, Trim(key))) {
            std::string_view text = line.Text;
            return std::string(Trim(text.substr(text.find('=') + 1)));
        }
    }
    return std::string(defaultValue);
}

bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, const std::string& file) {
    std::optional<std::string> read = ReadFile(file);
    // A file that exists but cannot be read is never replaced by one holding only this key.
    if (!read && ::access(file.c_str(), F_OK) == 0) return false;
    const std::string content = read.value_or(std::string());
    std::vector<Line> lines = SplitLines(content);
    const std::string newLine = std::string(key) + "=" + std::string(value);

    std::optional<size_t> sectionAt;
    std::optional<size_t> keyAt;
    size_t lastEntryOfSection = 0;  // where a new key goes: after the section's last entry
    for (size_t i = 0; i < lines.size(); ++i) {
        if (std::optional<std::string_view> name = SectionName(lines[i].Text)) {
            if (sectionAt) break;
            if (SameName(*name, Trim(section))) {
                sectionAt = i;
                lastEntryOfSection = i;
            }
            continue;
        }
        if (!sectionAt) continue;
        if (!Trim(lines[i].Text).empty()) lastEntryOfSection = i;
        std::optional<std::string_view> name = KeyName(lines[i].Text);
        if (name && SameName(*name, Trim(key))) {
            keyAt = i;
            break;
        }
    }

    // New lines take the file's own line ending.
    const std::string ending =
        (!lines.empty() && lines.front().Terminator == "\r\n") ? "\r\n" : "\n";
    if (keyAt) {
        lines[*keyAt].Text = newLine;
    } else if (sectionAt) {
        Line& before = lines[lastEntryOfSection];
        if (before.Terminator.empty()) before.Terminator = ending;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastEntryOfSection) + 1,
                     Line{newLine, ending});
    } else {
        if (!lines.empty() && lines.back().Terminator.empty()) lines.back().Terminator = ending;
        lines.push_back({"[" + std::string(section) + "]", ending});
        lines.push_back({newLine, ending});
    }

    std::string written;
    written.reserve(content.size() + newLine.size() + 2);
    for (const Line& line : lines) written += line.Text + line.Terminator;
    return ReplaceFile(file, written);
}

}  // namespace platform
