#include "tools/aurion/CommandLine.h"

#include <charconv>
#include <limits>
#include <vector>

namespace aurion::host {

namespace {

constexpr std::string_view Usage =
    "Usage: aurion info FILE\n"
    "       aurion decode [--channel-mode N] [--notify N] FILE OUT.wav\n"
    "       aurion --help\n";

constexpr std::string_view Help =
    "aurion: hosts the Aurion MPEG audio control on the command line.\n"
    "\n"
    "Usage: aurion info FILE\n"
    "       aurion decode [--channel-mode N] [--notify N] FILE OUT.wav\n"
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
    "  --help\n"
    "      Shows this text.\n"
    "\n"
    "Exit status: 0 success; 1 failure, reported on standard error as\n"
    "'error N: TEXT' with the control's error number and text; 2 usage error;\n"
    "130 interrupted by Ctrl-C.\n"
    "\n"
    "Environment: TRACKDECK_REGISTRY (the registry file) and TRACKDECK_SYSTEM_DIR\n"
    "(the system folder); without them the XDG folders of the user. The first\n"
    "run registers the Trackdeck.bin beside the program.\n";

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
    return Problem("unknown command '" + std::string(name) + "'");
}

std::string_view UsageText() { return Usage; }

std::string_view HelpText() { return Help; }

}  // namespace aurion::host
