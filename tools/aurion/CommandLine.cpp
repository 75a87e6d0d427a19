#include "tools/aurion/CommandLine.h"

#include <charconv>
#include <limits>
#include <utility>
#include <vector>

namespace aurion::host {

namespace {

constexpr std::string_view Usage =
    "Usage: aurion info FILE\n"
    "       aurion decode [--channel-mode N] [--notify N] FILE OUT.wav\n"
    "       aurion play [--device N] [--speed P] [--volume P] [--channel-mode N] FILE...\n"
    "       aurion devices\n"
    "       aurion tag FILE [--title T] [--artist A] [--album B] [--year Y]\n"
    "                       [--comment C] [--genre N]\n"
    "       aurion tag FILE --delete\n"
    "       aurion --help\n";

constexpr std::string_view Help =
    "aurion: hosts the Aurion MPEG audio control on the command line.\n"
    "\n"
    "Usage: aurion info FILE\n"
    "       aurion decode [--channel-mode N] [--notify N] FILE OUT.wav\n"
    "       aurion play [--device N] [--speed P] [--volume P] [--channel-mode N] FILE...\n"
    "       aurion devices\n"
    "       aurion tag FILE [--title T] [--artist A] [--album B] [--year Y]\n"
    "                       [--comment C] [--genre N]\n"
    "       aurion tag FILE --delete\n"
    "       aurion --help\n"
    "\n"
    "Commands:\n"
    "  info FILE\n"
    "      Opens the MPEG audio file FILE and prints the control's stream\n"
    "      properties, one Name=value line each: FrameCount, IsCopyrighted,\n"
    "      IsOriginal, HasChecksums (0 or 1), Layer, SampleFrequency, BitRate,\n"
    "      MPEGVersion, MPEGMode (1 stereo, 2 joint stereo, 3 dual channel,\n"
    "      4 single channel), FrameNotifyCount, Version, MsPerFrame and\n"
    "      TotalTime (milliseconds).\n"
    "\n"
    "  decode [--channel-mode N] [--notify N] FILE OUT.wav\n"
    "      Decodes FILE into the 16-bit PCM WAV file OUT.wav. On a terminal a\n"
    "      progress bar on standard error shows the percentage and the elapsed\n"
    "      and total time; otherwise nothing is printed on success. Ctrl-C stops\n"
    "      and leaves a valid WAV file of what was decoded.\n"
    "      --channel-mode N  0 both channels (default), 1 left, 2 right, 3 a mix\n"
    "                        of both; 1 to 3 (and mono streams) give one channel\n"
    "      --notify N        frames between two progress events (default 32)\n"
    "\n"
    "  play [--device N] [--speed P] [--volume P] [--channel-mode N] FILE...\n"
    "      Plays the files one after the other on a wave-output device. On a\n"
    "      terminal it shows the file, the elapsed and total time and a bar, and\n"
    "      takes keys: space pauses and resumes, left and right arrows seek 10\n"
    "      seconds, + and - change the volume by 5 %, n goes to the next file,\n"
    "      q quits. Otherwise it plays to the end and prints nothing. A file that\n"
    "      fails is reported and the next one plays.\n"
    "      --device N        the device (see 'aurion devices'; default 0)\n"
    "      --speed P         playing length in percent, 50 to 1000 (default 100)\n"
    "      --volume P        volume in percent, 0 to 100 (default: unchanged)\n"
    "      --channel-mode N  as for decode\n"
    "\n"
    "  devices\n"
    "      Lists the wave-output devices, one line each: number, product name and\n"
    "      the mask of standard formats in hexadecimal.\n"
    "\n"
    "  tag FILE\n"
    "      Prints the ID3v1 tag of FILE as the control reads it, one Name=value\n"
    "      line each: Title, Artist, Album, Year (0 without one), Comment, Genre\n"
    "      (the number, -1 without a tag), GenreName and HasTag (0 or 1).\n"
    "\n"
    "  tag FILE [--title T] [--artist A] [--album B] [--year Y] [--comment C]\n"
    "           [--genre N]\n"
    "      Sets the given fields and writes the tag into FILE: over the old one,\n"
    "      or appended to a file without one. Texts keep their first 30\n"
    "      characters; a character that the tag cannot hold (Windows-1252)\n"
    "      becomes '?'. The control cannot empty a field: an empty text leaves\n"
    "      the field as it is (delete the tag to start afresh). A year outside\n"
    "      1..2099 and a genre outside 0..80 change nothing; genre 80\n"
    "      (Unknown), and no genre at all, are written as 0 (Blues).\n"
    "\n"
    "  tag FILE --delete\n"
    "      Removes the tag from FILE, which becomes 128 bytes shorter.\n"
    "\n"
    "      Only a file that starts with a frame header, or with an ID3v2 tag\n"
    "      and then a frame header, has tag access: for any other the control\n"
    "      reports error 641.\n"
    "\n"
    "  --help\n"
    "      Shows this text.\n"
    "\n"
    "Exit status: 0 success; 1 failure, reported on standard error as\n"
    "'error N: TEXT' with the control's error number and text; 2 usage error;\n"
    "130 interrupted by Ctrl-C.\n"
    "\n"
    "Environment: TRACKDECK_REGISTRY (the registry file) and TRACKDECK_SYSTEM_DIR\n"
    "(the system folder); without them the XDG folders of the user. The first\n"
    "run registers the Trackdeck.bin beside the program. TRACKDECK_AUDIO=null\n"
    "plays on the built-in null device only (it is device 0 wherever no sound\n"
    "device can be opened); TRACKDECK_AUDIO_CAPTURE=FILE makes it append what\n"
    "it plays to FILE as raw 16-bit samples.\n";

bool IsHelp(std::string_view arg) { return arg == "--help" || arg == "-h" || arg == "help"; }

std::optional<int16_t> ParseShort(std::string_view text, int minimum) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || value < minimum ||
        value > std::numeric_limits<int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int16_t>(value);
}

// Takes an option's value from "--name=value" or from the next argument.
std::optional<std::string_view> OptionValue(std::span<const std::string_view> args, size_t& index,
                                            std::string_view name) {
    const std::string_view arg = args[index];
    if (arg.size() > name.size() && arg.substr(0, name.size()) == name && arg[name.size()] == '=') {
        return arg.substr(name.size() + 1);
    }
    if (index + 1 >= args.size()) {
        return std::nullopt;
    }
    return args[++index];
}

bool MatchesOption(std::string_view arg, std::string_view name) {
    return arg == name || (arg.size() > name.size() && arg.substr(0, name.size()) == name &&
                           arg[name.size()] == '=');
}

ParsedCommandLine Problem(std::string text) { return {std::nullopt, std::move(text)}; }

ParsedCommandLine ParseInfo(std::span<const std::string_view> args) {
    std::vector<std::string_view> operands;
    bool optionsEnded = false;
    for (std::string_view arg : args) {
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            return Problem("unknown option '" + std::string(arg) + "' for info");
        } else {
            operands.push_back(arg);
        }
    }
    if (operands.size() != 1) {
        return Problem("info takes one FILE");
    }
    Command command;
    command.Kind = CommandKind::Info;
    command.File = std::string(operands[0]);
    return {command, {}};
}

ParsedCommandLine ParseDecode(std::span<const std::string_view> args) {
    Command command;
    command.Kind = CommandKind::Decode;
    std::vector<std::string_view> operands;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool isOption = !optionsEnded && arg.size() > 1 && arg[0] == '-';
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (isOption && MatchesOption(arg, "--channel-mode")) {
            const auto value = OptionValue(args, i, "--channel-mode");
            const auto mode =
                value ? ParseShort(*value, std::numeric_limits<int16_t>::min()) : std::nullopt;
            if (!mode) {
                return Problem("--channel-mode takes a number (0 both, 1 left, 2 right, 3 mix)");
            }
            command.ChannelMode = mode;
        } else if (isOption && MatchesOption(arg, "--notify")) {
            const auto value = OptionValue(args, i, "--notify");
            const auto count = value ? ParseShort(*value, 1) : std::nullopt;
            if (!count) {
                return Problem("--notify takes a number of frames from 1 to 32767");
            }
            command.NotifyCount = count;
        } else if (isOption) {
            return Problem("unknown option '" + std::string(arg) + "' for decode");
        } else {
            operands.push_back(arg);
        }
    }
    if (operands.size() != 2) {
        return Problem("decode takes FILE and OUT.wav");
    }
    command.File = std::string(operands[0]);
    command.WavFile = std::string(operands[1]);
    return {command, {}};
}

ParsedCommandLine ParseTag(std::span<const std::string_view> args) {
    Command command;
    command.Kind = CommandKind::Tag;
    TagEdit& edit = command.Tag;
    std::vector<std::string_view> operands;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool isOption = !optionsEnded && arg.size() > 1 && arg[0] == '-';
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (!isOption) {
            operands.push_back(arg);
            continue;
        }
        if (arg == "--delete") {
            edit.Delete = true;
            continue;
        }
        bool known = false;
        for (auto [name, field] :
             {std::pair{"--title", &edit.Title}, std::pair{"--artist", &edit.Artist},
              std::pair{"--album", &edit.Album}, std::pair{"--comment", &edit.Comment}}) {
            if (!MatchesOption(arg, name)) continue;
            const auto value = OptionValue(args, i, name);
            if (!value) return Problem(std::string(name) + " takes a text");
            *field = std::string(*value);
            known = true;
        }
        for (auto [name, field] :
             {std::pair{"--year", &edit.Year}, std::pair{"--genre", &edit.Genre}}) {
            if (!MatchesOption(arg, name)) continue;
            const auto value = OptionValue(args, i, name);
            const auto number =
                value ? ParseShort(*value, std::numeric_limits<int16_t>::min()) : std::nullopt;
            if (!number) return Problem(std::string(name) + " takes a number");
            *field = number;
            known = true;
        }
        if (!known) return Problem("unknown option '" + std::string(arg) + "' for tag");
    }
    if (operands.size() != 1) {
        return Problem("tag takes one FILE");
    }
    if (edit.Delete && edit.SetsFields()) {
        return Problem("--delete cannot be combined with fields to set");
    }
    command.File = std::string(operands[0]);
    return {command, {}};
}

ParsedCommandLine ParsePlay(std::span<const std::string_view> args) {
    Command command;
    command.Kind = CommandKind::Play;
    bool optionsEnded = false;
    // Each option with its smallest value and its message.
    struct ShortOption {
        std::string_view Name;
        std::optional<int16_t>& Value;
        int Minimum;
        std::string_view Problem;
    };
    const ShortOption options[] = {
        {"--device", command.Device, -1, "--device takes a device number"},
        {"--speed", command.Speed, 0, "--speed takes a percentage (50 to 1000)"},
        {"--volume", command.Volume, 0, "--volume takes a percentage (0 to 100)"},
        {"--channel-mode", command.ChannelMode, std::numeric_limits<int16_t>::min(),
         "--channel-mode takes a number (0 both, 1 left, 2 right, 3 mix)"},
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool isOption = !optionsEnded && arg.size() > 1 && arg[0] == '-';
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (!isOption) {
            command.Files.emplace_back(arg);
            continue;
        }
        const ShortOption* option = nullptr;
        for (const ShortOption& candidate : options) {
            if (MatchesOption(arg, candidate.Name)) option = &candidate;
        }
        if (!option) return Problem("unknown option '" + std::string(arg) + "' for play");
        const auto value = OptionValue(args, i, option->Name);
        const auto number = value ? ParseShort(*value, option->Minimum) : std::nullopt;
        if (!number) return Problem(std::string(option->Problem));
        option->Value = number;
    }
    if (command.Files.empty()) return Problem("play takes at least one FILE");
    return {command, {}};
}

}  // namespace

ParsedCommandLine ParseCommandLine(std::span<const std::string_view> args) {
    if (args.empty()) {
        return Problem("no command given");
    }
    for (std::string_view arg : args) {
        if (arg == "--") break;
        if (arg == "--help" || arg == "-h") return {Command{}, {}};
    }
    const std::string_view name = args[0];
    if (IsHelp(name)) {
        return {Command{}, {}};
    }
    if (name == "info") {
        return ParseInfo(args.subspan(1));
    }
    if (name == "decode") {
        return ParseDecode(args.subspan(1));
    }
    if (name == "tag") {
        return ParseTag(args.subspan(1));
    }
    if (name == "play") {
        return ParsePlay(args.subspan(1));
    }
    if (name == "devices") {
        if (args.size() != 1) return Problem("devices takes no arguments");
        Command command;
        command.Kind = CommandKind::Devices;
        return {command, {}};
    }
    return Problem("unknown command '" + std::string(name) + "'");
}

std::string_view UsageText() { return Usage; }

std::string_view HelpText() { return Help; }

}  // namespace aurion::host
