#include "tools/aurion/CommandLine.h"

#include <charconv>
#include <utility>

namespace aurion::host {

namespace {

// A number option with the range the control takes for it.
struct NumberOption {
    std::string_view Name;
    std::optional<int16_t>* Value;
    int Minimum;
    int Maximum;
    std::string_view Problem;
};

// A text option of `aurion tag`.
struct TextOption {
    std::string_view Name;
    std::optional<std::string>* Value;
};

bool IsHelp(std::string_view arg) { return arg == "--help" || arg == "-h"; }

std::optional<int16_t> ParseNumber(std::string_view text, int minimum, int maximum) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || value < minimum || value > maximum) {
        return std::nullopt;
    }
    return static_cast<int16_t>(value);
}

bool MatchesOption(std::string_view arg, std::string_view name) {
    return arg == name || (arg.size() > name.size() && arg.substr(0, name.size()) == name &&
                           arg[name.size()] == '=');
}

// Takes an option's value from "--name=value" or from the next argument.
std::optional<std::string_view> OptionValue(std::span<const std::string_view> args, size_t& index,
                                            std::string_view name) {
    const std::string_view arg = args[index];
    if (arg.size() > name.size() && arg[name.size()] == '=') {
        return arg.substr(name.size() + 1);
    }
    if (index + 1 >= args.size()) {
        return std::nullopt;
    }
    return args[++index];
}

ParsedCommandLine Problem(std::string text) { return {std::nullopt, std::move(text)}; }

ParsedCommandLine HelpFor(CommandKind kind) {
    Command command;
    command.Kind = CommandKind::Help;
    command.HelpTopic = kind;
    return {command, {}};
}

// What one command accepts; flags are options without a value.
struct Grammar {
    std::string_view CommandName;
    std::span<const NumberOption> Numbers;
    std::span<const TextOption> Texts;
    std::span<const std::pair<std::string_view, bool*>> Flags;
};

// Splits the arguments into options and operands; a problem, or nothing.
std::optional<std::string> ParseArguments(std::span<const std::string_view> args,
                                          const Grammar& grammar,
                                          std::vector<std::string_view>& operands) {
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        bool known = false;
        for (const auto& [name, flag] : grammar.Flags) {
            if (arg == name) {
                *flag = true;
                known = true;
            }
        }
        for (const NumberOption& option : grammar.Numbers) {
            if (known || !MatchesOption(arg, option.Name)) continue;
            const auto value = OptionValue(args, i, option.Name);
            const auto number =
                value ? ParseNumber(*value, option.Minimum, option.Maximum) : std::nullopt;
            if (!number) return std::string(option.Problem);
            *option.Value = number;
            known = true;
        }
        for (const TextOption& option : grammar.Texts) {
            if (known || !MatchesOption(arg, option.Name)) continue;
            const auto value = OptionValue(args, i, option.Name);
            if (!value) return std::string(option.Name) + " takes a text";
            *option.Value = std::string(*value);
            known = true;
        }
        if (!known) {
            return "unknown option '" + std::string(arg) + "' for " +
                   std::string(grammar.CommandName);
        }
    }
    return std::nullopt;
}

constexpr std::string_view ChannelModeProblem =
    "--channel-mode takes 0 (both channels), 1 (left), 2 (right) or 3 (a mix of both)";

ParsedCommandLine ParseInfo(std::span<const std::string_view> args) {
    std::vector<std::string_view> operands;
    if (auto problem = ParseArguments(args, {"info", {}, {}, {}}, operands))
        return Problem(*problem);
    if (operands.size() != 1) return Problem("info takes one FILE");
    Command command;
    command.Kind = CommandKind::Info;
    command.File = std::string(operands[0]);
    return {command, {}};
}

ParsedCommandLine ParseDecode(std::span<const std::string_view> args) {
    Command command;
    command.Kind = CommandKind::Decode;
    const NumberOption numbers[] = {
        {"--channel-mode", &command.ChannelMode, 0, 3, ChannelModeProblem},
        {"--notify", &command.NotifyCount, 1, INT16_MAX,
         "--notify takes a number of frames from 1 to 32767"},
    };
    const std::pair<std::string_view, bool*> flags[] = {{"--force", &command.Force},
                                                        {"-f", &command.Force}};
    std::vector<std::string_view> operands;
    if (auto problem = ParseArguments(args, {"decode", numbers, {}, flags}, operands)) {
        return Problem(*problem);
    }
    if (operands.size() != 2) return Problem("decode takes FILE and OUT.wav");
    command.File = std::string(operands[0]);
    command.WavFile = std::string(operands[1]);
    return {command, {}};
}

ParsedCommandLine ParseTag(std::span<const std::string_view> args) {
    Command command;
    command.Kind = CommandKind::Tag;
    TagEdit& edit = command.Tag;
    const NumberOption numbers[] = {
        {"--year", &edit.Year, 1, 2099, "--year takes a year from 1 to 2099"},
        {"--genre", &edit.Genre, 0, 79, "--genre takes a genre number from 0 to 79"},
    };
    const TextOption texts[] = {{"--title", &edit.Title},
                                {"--artist", &edit.Artist},
                                {"--album", &edit.Album},
                                {"--comment", &edit.Comment}};
    const std::pair<std::string_view, bool*> flags[] = {{"--delete", &edit.Delete}};
    std::vector<std::string_view> operands;
    if (auto problem = ParseArguments(args, {"tag", numbers, texts, flags}, operands)) {
        return Problem(*problem);
    }
    if (operands.size() != 1) return Problem("tag takes one FILE");
    if (edit.Delete && edit.SetsFields()) {
        return Problem("--delete cannot be combined with fields to set");
    }
    command.File = std::string(operands[0]);
    return {command, {}};
}

ParsedCommandLine ParsePlay(std::span<const std::string_view> args) {
    Command command;
    command.Kind = CommandKind::Play;
    const NumberOption numbers[] = {
        {"--device", &command.Device, 0, INT16_MAX,
         "--device takes a device number ('aurion devices' lists them)"},
        {"--speed", &command.Speed, 50, 1000, "--speed takes a percentage from 50 to 1000"},
        {"--volume", &command.Volume, 0, 100, "--volume takes a percentage from 0 to 100"},
        {"--channel-mode", &command.ChannelMode, 0, 3, ChannelModeProblem},
    };
    std::vector<std::string_view> operands;
    if (auto problem = ParseArguments(args, {"play", numbers, {}, {}}, operands)) {
        return Problem(*problem);
    }
    if (operands.empty()) return Problem("play takes at least one FILE");
    command.Files.assign(operands.begin(), operands.end());
    return {command, {}};
}

std::optional<CommandKind> CommandNamed(std::string_view name) {
    if (name == "info") return CommandKind::Info;
    if (name == "decode") return CommandKind::Decode;
    if (name == "play") return CommandKind::Play;
    if (name == "devices") return CommandKind::Devices;
    if (name == "tag") return CommandKind::Tag;
    return std::nullopt;
}

}  // namespace

ParsedCommandLine ParseCommandLine(std::span<const std::string_view> args) {
    if (args.empty()) return Problem("no command given");
    const std::string_view name = args[0];
    if (IsHelp(name) || name == "help") {
        if (args.size() == 1) return {Command{}, {}};
        const std::optional<CommandKind> topic = CommandNamed(args[1]);
        if (args.size() > 2 || !topic) return Problem("help takes one COMMAND, or none");
        return HelpFor(*topic);
    }
    if (name == "--version") {
        if (args.size() != 1) return Problem("--version takes no arguments");
        Command command;
        command.Kind = CommandKind::Version;
        return {command, {}};
    }
    const std::optional<CommandKind> kind = CommandNamed(name);
    if (!kind) return Problem("unknown command '" + std::string(name) + "'");
    const std::span<const std::string_view> rest = args.subspan(1);
    for (std::string_view arg : rest) {
        if (arg == "--") break;
        if (IsHelp(arg)) return HelpFor(*kind);
    }
    switch (*kind) {
        case CommandKind::Info:
            return ParseInfo(rest);
        case CommandKind::Decode:
            return ParseDecode(rest);
        case CommandKind::Play:
            return ParsePlay(rest);
        case CommandKind::Tag:
            return ParseTag(rest);
        case CommandKind::Devices:
            if (!rest.empty()) return Problem("devices takes no arguments");
            break;
        case CommandKind::Help:
        case CommandKind::Version:
            break;
    }
    Command command;
    command.Kind = *kind;
    return {command, {}};
}

}  // namespace aurion::host
