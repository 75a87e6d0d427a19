#include "control/player/DecodeContext.h"

#include "control/decoder/FrameDecoder.h"
#include "control/decoder/PrerollSink.h"
#include "control/decoder/TrimmingSink.h"
#include "control/decoder/stream/FrameHeader.h"
#include "control/decoder/stream/FrameStream.h"
#include "control/decoder/synthesis/PolyphaseFilter.h"

namespace aurion {

DecodeContext::DecodeContext(std::string lockName, std::string pauseGateName)
    : Lock(std::move(lockName)), PauseGate(std::move(pauseGateName)) {}

DecodeContext::~DecodeContext() {
    // The decoder refers to the filters, the sink and the stream: it goes first.
    Decoder.reset();
    Preroll.reset();
    Trimmer.reset();
    Sink.reset();
    RightFilter.reset();
    LeftFilter.reset();
    if (Stream) {
        Stream->Close();
    }
}

}  // namespace aurion
