// How `aurion` says that something failed: one line on standard error that names
// what it is about (a file, a device) and why: the control's error number with its
// text, words of our own for the numbers that the control returns without one, and
// the system's reason ("No such file or directory") where there is one.
//
//     aurion: song.mp3: error 643: Unable to read MPEG-Header
//     aurion: cannot read song.mp3: No such file or directory
#pragma once

#include <string>
#include <string_view>

#include "host/ControlError.h"

namespace aurion::host {

// The error with words: the control's own text when it gave one, else what its
// number means (712 "not enough free space for the WAV file", ...).
[[nodiscard]] ControlError WithWords(ControlError error);

// "SUBJECT: error N: TEXT", with " (REASON)" when a reason is given; a failure
// of the host itself has no number: "SUBJECT: TEXT". An empty subject is left out.
[[nodiscard]] std::string ProblemText(std::string_view subject, const ControlError& error,
                                      std::string_view reason = {});
// Says ProblemText.
void ReportProblem(std::string_view subject, const ControlError& error,
                   std::string_view reason = {});
// "aurion: TEXT" on standard error.
void Say(std::string_view text);

// The system's text for an errno value.
[[nodiscard]] std::string SystemReason(int error);
// The reason as a sentence continues it: "no space left on device".
[[nodiscard]] std::string InSentence(std::string reason);

}  // namespace aurion::host
