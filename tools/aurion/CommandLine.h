// The command line of the host: `aurion info FILE`, `aurion decode [-f] [--channel-mode
// N] [--notify N] FILE OUT.wav`, `aurion play [--device N] [--speed P] [--volume P]
// [--channel-mode N] FILE...`, `aurion devices`, `aurion tag FILE [field options |
// --delete]`, `aurion COMMAND --help`, `aurion --help` and `aurion --version`. Values
// are checked against the ranges the control takes, so that none is silently
// clamped or ignored: a year outside 1..2099, a genre outside 0..79, a speed outside
// 50..1000 are usage errors.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace aurion::host {

enum class CommandKind { Help, Version, Info, Decode, Play, Devices, Tag };

// What `aurion tag` is asked to do: print the tag (nothing set), set fields and
// write it, or delete it.
struct TagEdit {
    std::optional<std::string> Title;
    std::optional<std::string> Artist;
    std::optional<std::string> Album;
    std::optional<int16_t> Year;
    std::optional<std::string> Comment;
    std::optional<int16_t> Genre;
    bool Delete = false;

    [[nodiscard]] bool SetsFields() const {
        return Title || Artist || Album || Year || Comment || Genre;
    }
};

struct Command {
    CommandKind Kind = CommandKind::Help;
    // Help: the command whose help is asked for; none for the whole help.
    std::optional<CommandKind> HelpTopic;
    std::string File;
    std::string WavFile;                 // decode only
    bool Force = false;                  // decode only: an existing OUT.wav may be replaced
    std::optional<int16_t> ChannelMode;  // decode and play, 0..3
    std::optional<int16_t> NotifyCount;  // decode only, at least 1
    std::vector<std::string> Files;      // play only: played one after the other
    std::optional<int16_t> Device;       // play only
    std::optional<int16_t> Speed;        // play only, percent of the playing length
    std::optional<int16_t> Volume;       // play only, percent
    TagEdit Tag;                         // tag only
};

struct ParsedCommandLine {
    std::optional<Command> Parsed;
    std::string Problem;  // why the command line is not understood, when Parsed is empty
};

// The arguments after the program name.
[[nodiscard]] ParsedCommandLine ParseCommandLine(std::span<const std::string_view> args);

}  // namespace aurion::host
