#include "tools/aurion/OpenStream.h"

#include <cstdint>
#include <string_view>

#include "host/AurionMembers.h"

namespace aurion::host {

namespace {

// The control's number for a probe refusal and for a stream that cannot be made.
constexpr int32_t NotAnMpegFile = 641;

// What the control's Open says for the numbers it returns in error mode off; 712
// and 714 have no text.
std::string_view OpenFailureText(int32_t number) {
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
        case 653:
            return "Can\u00b4t determine my hWnd";
        default:
            return {};
    }
}

std::optional<ControlError> SetErrorMode(ControlCaller& control, int16_t on) {
    return control.Call(members::SetErrorMode, {platform::Variant(on)});
}

}  // namespace

std::optional<ControlError> EnableErrorMode(ControlCaller& control) {
    return SetErrorMode(control, 1);
}

std::optional<ControlError> OpenStream(ControlCaller& control, const std::string& mp3File,
                                       const std::string& wavFile) {
    std::optional<ControlError> error =
        control.CallStatus(members::Open, {platform::Variant(mp3File), platform::Variant(wavFile)});
    if (!error || error->Number != NotAnMpegFile) {
        return error;
    }
    if (auto modeError = SetErrorMode(control, 0)) {
        return modeError;
    }
    error =
        control.CallStatus(members::Open, {platform::Variant(mp3File), platform::Variant(wavFile)});
    if (auto modeError = EnableErrorMode(control); modeError && !error) {
        return modeError;
    }
    if (error && error->Number && error->Text.empty()) {
        error->Text = std::string(OpenFailureText(*error->Number));
    }
    return error;
}

}  // namespace aurion::host
