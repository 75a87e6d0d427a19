// The command line of the host: `aurion info FILE`, `aurion decode [--channel-mode
// N] [--notify N] FILE OUT.wav`, `aurion play [--device N] [--speed P] [--volume P]
// [--channel-mode N] FILE...`, `aurion devices`, `aurion tag FILE [field options |
// --delete]` and `aurion --help`. Parsing only checks the form; the control itself
// judges the values it is given (a channel mode outside 0..3 is the control's 687,
// a year outside 1..2099 changes nothing).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace aurion::host {

enum class CommandKind { Help, Info, Decode, Play, Devices, Tag };

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
    std::string File;
    std::string WavFile;                 // decode only
    std::optional<int16_t> ChannelMode;  // decode and play
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

// The short form, shown with a usage error.
[[nodiscard]] std::string_view UsageText();
// Every subcommand with its options, for --help.
[[nodiscard]] std::string_view HelpText();

}  // namespace aurion::host
