#include "tools/aurion/Problems.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace aurion::host {

namespace {

// The control's texts for the numbers Open returns when it raises nothing, and
// words for the numbers that never come with a text.
std::string_view WordsFor(int32_t number) {
    switch (number) {
        case 640:
            return "Already openend";
        case 641:
            return "cant open MPEG stream";
        case 642:
            return "No Inputfile given";
        case 643:
            return "Unable to read MPEG-Header";
        case 644:
            return "Can`t create Working-Thread";
        case 650:
            return "Player not opened";
        case 653:
            return "Can\u00b4t determine my hWnd";
        case 712:
            return "not enough free space for the WAV file";
        case 713:
            return "no such wave-output device";
        case 714:
            return "the free space for the WAV file cannot be read";
        case 715:
            return "the file cannot be opened for writing";
        default:
            return {};
    }
}

}  // namespace

ControlError WithWords(ControlError error) {
    if (error.Text.empty() && error.Number) error.Text = std::string(WordsFor(*error.Number));
    return error;
}

std::string ProblemText(std::string_view subject, const ControlError& error,
                        std::string_view reason) {
    std::string line;
    if (!subject.empty()) line += std::string(subject) + ": ";
    line += error.Number ? FormatError(WithWords(error)) : error.Text;
    if (!reason.empty()) line += " (" + std::string(reason) + ")";
    return line;
}

void ReportProblem(std::string_view subject, const ControlError& error, std::string_view reason) {
    Say(ProblemText(subject, error, reason));
}

void Say(std::string_view text) {
    std::fprintf(stderr, "aurion: %.*s\n", static_cast<int>(text.size()), text.data());
    std::fflush(stderr);
}

std::string SystemReason(int error) { return std::strerror(error); }

std::string InSentence(std::string reason) {
    if (!reason.empty()) {
        reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
    }
    return reason;
}

}  // namespace aurion::host
