// aurion: the command-line host of the Aurion control (see CommandLine.h).
#include <cstdio>
#include <string_view>
#include <vector>

#include "tools/aurion/CommandLine.h"
#include "tools/aurion/DecodeCommand.h"
#include "tools/aurion/DevicesCommand.h"
#include "tools/aurion/HelpTexts.h"
#include "tools/aurion/InfoCommand.h"
#include "tools/aurion/PlayCommand.h"
#include "tools/aurion/TagCommand.h"

namespace {

constexpr int UsageStatus = 2;

}  // namespace

int main(int argc, char** argv) {
    using namespace aurion::host;
    const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const ParsedCommandLine commandLine = ParseCommandLine(args);
    if (!commandLine.Parsed) {
        std::fprintf(stderr, "aurion: %s\n%s", commandLine.Problem.c_str(), UsageText().data());
        return UsageStatus;
    }
    const Command& command = *commandLine.Parsed;
    switch (command.Kind) {
        case CommandKind::Help:
            std::fputs(
                command.HelpTopic ? CommandHelp(*command.HelpTopic).data() : HelpText().c_str(),
                stdout);
            return 0;
        case CommandKind::Version:
            std::fputs(VersionText().c_str(), stdout);
            return 0;
        case CommandKind::Info:
            return RunInfo(command.File);
        case CommandKind::Decode:
            return RunDecode(command);
        case CommandKind::Play:
            return RunPlay(command);
        case CommandKind::Devices:
            return RunDevices();
        case CommandKind::Tag:
            return RunTag(command);
    }
    return UsageStatus;
}
