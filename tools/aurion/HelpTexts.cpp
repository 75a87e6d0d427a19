#include "tools/aurion/HelpTexts.h"

namespace aurion::host {

namespace {

constexpr std::string_view Usage =
    "Usage: aurion info FILE\n"
    "       aurion decode [--force] [--channel-mode N] [--notify N] FILE OUT.wav\n"
    "       aurion play [--device N] [--speed P] [--volume P] [--channel-mode N] FILE...\n"
    "       aurion devices\n"
    "       aurion tag FILE [--title T] [--artist A] [--album B] [--year Y]\n"
    "                       [--comment C] [--genre N]\n"
    "       aurion tag FILE --delete\n"
    "       aurion COMMAND --help\n"
    "       aurion --help | --version\n";

constexpr std::string_view Intro =
    "aurion: hosts the Aurion MPEG audio control on the command line.\n";

constexpr std::string_view InfoHelp =
    "aurion info FILE\n"
    "    Opens the MPEG audio file FILE and prints the control's stream\n"
    "    properties, one Name=value line each: FrameCount, IsCopyrighted,\n"
    "    IsOriginal, HasChecksums (0 or 1), Layer, SampleFrequency, BitRate,\n"
    "    MPEGVersion, MPEGMode (1 stereo, 2 joint stereo, 3 dual channel,\n"
    "    4 single channel), FrameNotifyCount, Version, MsPerFrame and TotalTime\n"
    "    (milliseconds). FrameCount and TotalTime come from the file's header\n"
    "    frame (Xing, Info or VBRI) when it has one that gives them; otherwise\n"
    "    they are estimates from the first frame and the file's size, and a '~'\n"
    "    before the number says so.\n";

constexpr std::string_view DecodeHelp =
    "aurion decode [--force] [--channel-mode N] [--notify N] FILE OUT.wav\n"
    "    Decodes FILE into the 16-bit PCM WAV file OUT.wav. OUT.wav may never be\n"
    "    FILE itself, whatever name leads to it: that is refused (status 2). An\n"
    "    existing OUT.wav is replaced only with --force; without it the command\n"
    "    says so and writes nothing (status 2). On a terminal a bar on standard\n"
    "    error shows the share done and the elapsed and total playing time, with\n"
    "    '~' before a total that is still an estimate; otherwise nothing is\n"
    "    printed on success. Ctrl-C stops and leaves a valid WAV file of what\n"
    "    was decoded. When writing fails (a full disk), the command says why in\n"
    "    one line and leaves a valid WAV file of what reached the disk, or none.\n"
    "    -f, --force       replace an existing OUT.wav\n"
    "    --channel-mode N  0 both channels (default), 1 left, 2 right, 3 a mix\n"
    "                      of both; 1 to 3 (and mono streams) give one channel\n"
    "    --notify N        frames between two progress events, 1 to 32767\n"
    "                      (default 32)\n";

constexpr std::string_view PlayHelp =
    "aurion play [--device N] [--speed P] [--volume P] [--channel-mode N] FILE...\n"
    "    Plays the files one after the other on a wave-output device. On a\n"
    "    terminal it shows the file, the time of what has been heard, the total\n"
    "    time ('~' while it is an estimate) and a bar, and takes keys: space\n"
    "    pauses and resumes, left and right arrows seek 10 seconds, + and -\n"
    "    change the volume by 5 %, n goes to the next file, q quits. Otherwise\n"
    "    it prints a line for each file once it is done with it: the name, the\n"
    "    length and how it ended (played, stopped or failed). A file that fails\n"
    "    is reported on standard error and the next one plays.\n"
    "    --device N        the device, from 0 ('aurion devices'; default 0)\n"
    "    --speed P         the playing length in percent, 50 to 1000 (default\n"
    "                      100): 50 plays in half the time; above 100 it plays\n"
    "                      longer, about 1.5 times at 200 and twice at 1000\n"
    "    --volume P        the volume in percent, 0 to 100 (default: the\n"
    "                      device's)\n"
    "    --channel-mode N  as for decode\n";

constexpr std::string_view DevicesHelp =
    "aurion devices\n"
    "    Lists the wave-output devices, one line each: the number, the product\n"
    "    name and the mask of standard formats in hexadecimal. Where no sound\n"
    "    device can be opened, device 0 is the built-in null device, which plays\n"
    "    silently.\n";

constexpr std::string_view TagHelp =
    "aurion tag FILE\n"
    "    Prints the ID3v1 tag of FILE as the control reads it, one Name=value\n"
    "    line each: Title, Artist, Album, Year (0 without one), Comment, Genre\n"
    "    (the number, -1 without a tag), GenreName and HasTag (0 or 1).\n"
    "\n"
    "aurion tag FILE [--title T] [--artist A] [--album B] [--year Y] [--comment C]\n"
    "                [--genre N]\n"
    "    Sets the given fields and writes the tag into FILE: over the old one,\n"
    "    or appended to a file without one (its other fields empty, its genre\n"
    "    0, Blues, unless given). Texts keep their first 30 characters; a\n"
    "    character that the tag cannot hold (Windows-1252) becomes '?'. The\n"
    "    control cannot empty a field: an empty text leaves the field as it is\n"
    "    (delete the tag to start afresh). --year takes 1 to 2099, --genre the\n"
    "    ID3v1 genres 0 to 79; a genre above 79 in the file reads as 0 and is\n"
    "    written back so.\n"
    "\n"
    "aurion tag FILE --delete\n"
    "    Removes the tag from FILE, which becomes 128 bytes shorter; a file\n"
    "    without a tag is an error.\n"
    "\n"
    "    Only a file that starts with a frame header, or with an ID3v2 tag and\n"
    "    then a frame header, has tag access: for any other the control reports\n"
    "    error 641.\n";

constexpr std::string_view Closing =
    "Exit status: 0 success; 1 failure, said in one line on standard error that\n"
    "names the file and why: the system's reason, or 'error N: TEXT' with the\n"
    "control's error number and text; 2 usage error, or a decode that would\n"
    "overwrite a file; 130 interrupted by Ctrl-C.\n"
    "\n"
    "Environment: TRACKDECK_REGISTRY (the registry file) and TRACKDECK_SYSTEM_DIR\n"
    "(the system folder); without them the XDG folders of the user. The first\n"
    "run registers the Trackdeck.bin beside the program. TRACKDECK_AUDIO=null\n"
    "plays on the built-in null device only (it is device 0 wherever no sound\n"
    "device can be opened); TRACKDECK_AUDIO_CAPTURE=FILE makes it append what\n"
    "it plays to FILE as raw 16-bit samples.\n";

}  // namespace

std::string_view UsageText() { return Usage; }

std::string_view CommandHelp(CommandKind kind) {
    switch (kind) {
        case CommandKind::Info:
            return InfoHelp;
        case CommandKind::Decode:
            return DecodeHelp;
        case CommandKind::Play:
            return PlayHelp;
        case CommandKind::Devices:
            return DevicesHelp;
        case CommandKind::Tag:
            return TagHelp;
        case CommandKind::Help:
        case CommandKind::Version:
            break;
    }
    return Usage;
}

std::string HelpText() {
    std::string text = std::string(Intro) + "\n" + std::string(Usage) + "\nCommands:\n";
    for (CommandKind kind : {CommandKind::Info, CommandKind::Decode, CommandKind::Play,
                             CommandKind::Devices, CommandKind::Tag}) {
        text += "\n" + std::string(CommandHelp(kind));
    }
    return text + "\n" + std::string(Closing);
}

std::string VersionText() {
    return "aurion " TRACKDECK_VERSION
           " (Trackdeck), the command-line host of the Aurion control\n";
}

}  // namespace aurion::host
