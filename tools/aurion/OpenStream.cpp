#include "tools/aurion/OpenStream.h"

#include <cstdint>

#include "host/AurionMembers.h"
#include "tools/aurion/Problems.h"

namespace aurion::host {

namespace {

// The control's number for a probe refusal and for a stream that cannot be made.
constexpr int32_t NotAnMpegFile = 641;

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
    if (error) error = WithWords(*error);
    return error;
}

}  // namespace aurion::host
