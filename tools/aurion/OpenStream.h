// Opening a stream in the control, with the control in error mode so that every
// failure carries its number and text.
//
// In error mode the control's Open refuses any file whose first bytes (after a
// leading ID3v2 tag) are not a frame header (641 "Specified File is not an
// MPEG-File", from its tag probe), although its stream reader finds the frames
// behind other leading data such as junk. For such a refusal Open is repeated with
// error mode off, where the probe's verdict does not count (as for the desktop
// program); a failure there comes back as a bare number, and the control's text
// for it is added (WithWords).
#pragma once

#include <optional>
#include <string>

#include "host/ControlCaller.h"
#include "host/ControlError.h"

namespace aurion::host {

// Turns the control's error mode on (SetErrorMode(1) answers -1, not an error).
[[nodiscard]] std::optional<ControlError> EnableErrorMode(ControlCaller& control);

// Open(mp3File, wavFile): an empty wavFile plays, a name writes that WAV file.
[[nodiscard]] std::optional<ControlError> OpenStream(ControlCaller& control,
                                                     const std::string& mp3File,
                                                     const std::string& wavFile);

}  // namespace aurion::host
