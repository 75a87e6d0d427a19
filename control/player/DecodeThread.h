// The body of a playback session's decoding thread. It reads frame after frame
// from the context's stream, decodes it into the polyphase filters and the
// session's sink, answers the stop, seek and stop-frame requests made under the
// context's lock, waits at the pause gate while the host holds it, and reports
// only by posting MSG_ACTFRAME, MSG_SEEKDONE, MSG_FAILURE and, as its very last
// act, MSG_THREADENDED to the context's window.
#pragma once

namespace aurion {

struct DecodeContext;

// Runs until the stream ends, a stop is requested, the stop frame is reached or
// something fails; the context (stream and header made by Open) must outlive it.
void RunDecodeThread(DecodeContext& context);

}  // namespace aurion
