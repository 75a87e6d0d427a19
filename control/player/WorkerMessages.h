// The private window messages that a session's decoding thread posts to the
// control's window; the control turns them into events on the host's thread.
#pragma once

#include <cstdint>

#include "platform/window/MessageWindow.h"

namespace aurion {

constexpr uint32_t MSG_ACTFRAME = platform::WM_USER + 127;     // wParam = frame number
constexpr uint32_t MSG_THREADENDED = platform::WM_USER + 128;  //
constexpr uint32_t MSG_SEEKDONE = platform::WM_USER + 130;     //
// wParam = the failing step (OutputFailure), lParam = SCODE
constexpr uint32_t MSG_FAILURE = platform::WM_USER + 131;

}  // namespace aurion
