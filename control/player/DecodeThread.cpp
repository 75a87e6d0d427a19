#include "control/player/DecodeThread.h"

#include <algorithm>
#include <optional>

#include "control/decoder/FrameDecoder.h"
#include "control/decoder/PrerollSink.h"
#include "control/decoder/TrimmingSink.h"
#include "control/decoder/stream/FrameHeader.h"
#include "control/decoder/stream/FrameStream.h"
#include "control/decoder/synthesis/PolyphaseFilter.h"
#include "control/output/FrameBytes.h"
#include "control/output/WavFileSink.h"
#include "control/output/WaveOutSink.h"
#include "control/player/ControlErrors.h"
#include "control/player/DecodeContext.h"
#include "control/player/WorkerMessages.h"
#include "platform/com/HResult.h"
#include "platform/thread/NamedMutexLock.h"

namespace aurion {

namespace {

constexpr float PcmScale = 32768.0f;  // full scale 1.0 of the filters to 16-bit PCM
constexpr uint32_t ModeSingleChannel = 3;

void Post(const DecodeContext& context, uint32_t message, platform::WParam wParam = 0,
          platform::LParam lParam = 0) {
    platform::PostMessage(context.Window, message, wParam, lParam);
}

void PostActFrame(const DecodeContext& context, int32_t frame) {
    Post(context, MSG_ACTFRAME, static_cast<platform::WParam>(frame));
}

// The outputs' failures become MSG_FAILURE as they happen. The message names the
// failing step; the host's thread takes the number and text from it.
class FailurePoster final : public OutputFailureReport {
public:
    explicit FailurePoster(DecodeContext& context) : m_context(context) {}

    void Report(OutputFailure failure) override {
        Post(m_context, MSG_FAILURE, static_cast<platform::WParam>(failure),
             ErrorScode(ErrorOf(failure).Number));
    }
    // The reason goes first, so that it is there when the control handles the message.
    void ReportWithReason(OutputFailure failure, int systemError) override {
        m_context.OutputError = systemError;
        Report(failure);
    }

private:
    DecodeContext& m_context;
};

// The one place that turns the output kind into a sink.
std::unique_ptr<SampleSink> MakeSink(DecodeContext& context, int channels,
                                     OutputFailureReport& report) {
    const FrameHeader& header = *context.Header;
    const uint32_t frameBytes = FrameBytes(channels, header.Version(), header.Layer());
    switch (context.Output) {
        case OutputKind::WavFile:
            return std::make_unique<WavFileSink>(context.WavPath, channels, header.SampleRate(),
                                                 frameBytes, report);
        case OutputKind::WaveDevice:
            if (!context.Device) return nullptr;
            return std::make_unique<WaveOutSink>(
                channels,
                WaveOutView{static_cast<uint32_t>(std::max<int16_t>(context.DeviceNumber, 0)),
                            *context.Device, context.SpeedPercent, context.StopRequest,
                            context.SeekRequest},
                header.SampleRate(), frameBytes, report);
    }
    return nullptr;
}

void CleanUp(DecodeContext& context, bool abort) {
    if (abort && context.Sink) {
        context.Sink->Abort();
    }
    // The decoder refers to the sink and the filters: it goes first.
    context.Decoder.reset();
    context.Preroll.reset();
    context.Trimmer.reset();
    context.Sink.reset();
    context.RightFilter.reset();
    context.LeftFilter.reset();
}

// The decoder for the layer of the frame loaded last, replacing the one before.
void MakeDecoderForLayer(DecodeContext& context, uint32_t layer) {
    context.Decoder.reset();
    context.Decoder = MakeFrameDecoder(
        layer, FrameDecoderParts{*context.Stream, *context.Header, *context.LeftFilter,
                                 context.RightFilter.get(), *context.Preroll, context.Channels});
}

// The output gets exactly the signal the encoder was given when the file records
// the encoder's delay and padding: the decoder's first delay + 529 samples and the
// last padding - 529 are dropped, in a WAV file and on the device alike.
void MakeTrimmer(DecodeContext& context) {
    const FrameHeader& header = *context.Header;
    if (!header.VbrInfo() || !header.VbrInfo()->Gap) {
        return;
    }
    constexpr uint32_t DecoderDelay = 529;
    const EncoderGap gap = *header.VbrInfo()->Gap;
    const uint32_t samplesPerFrame = header.Version() == 1 ? 1152 : 576;
    const uint64_t total = uint64_t{header.VbrInfo()->Frames} * samplesPerFrame;
    const uint64_t keepFrom = uint64_t{gap.Delay} + DecoderDelay;
    const uint64_t endPadding = gap.Padding > DecoderDelay ? gap.Padding - DecoderDelay : 0;
    context.Trimmer = std::make_unique<TrimmingSink>(*context.Sink, samplesPerFrame, keepFrom,
                                                     total - endPadding);
}

// Called with the lock held; leaves it held. While the host holds the pause gate,
// waits for it with the lock released.
void WaitWhilePaused(DecodeContext& context, platform::NamedMutexLock& lock) {
    if (context.PauseGate.TryWait()) {
        context.PauseGate.Release();
        return;
    }
    lock.Unlock();
    context.PauseGate.Wait();
    context.PauseGate.Release();
    lock.Lock();
}

// The stop frame is compared with the frame about to be decoded, so that a range
// A..B ends before frame B.
bool StopFrameReached(const DecodeContext& context) {
    return context.StopFrame != 0 && context.Stream->CurrentFrame() >= context.StopFrame;
}

// A seek to a stream of fixed frame sizes leaves the target for the next read:
// load it now, so that the frame decoded next is the one sought. Other seeks load
// the frame they land on (a far one through a table of contents near the target).
bool LoadFrame(DecodeContext& context, int32_t target) {
    FrameStream& stream = *context.Stream;
    if (!context.Header->SeekToFrame(stream, target)) {
        return false;
    }
    if (context.Header->SeekLoadsFrame() || stream.CurrentFrame() == target) {
        return true;
    }
    Crc16* crc = nullptr;
    return context.Header->ReadNext(stream, crc) && stream.CurrentFrame() == target;
}

// Loads the frame the decoding of a seek starts with: a few frames before the
// target (PrerollSink), or the target itself at the stream's start. Returns the
// first frame to be heard: the target, or where a far seek landed beyond it.
std::optional<int32_t> SeekStream(DecodeContext& context, int32_t target) {
    const int32_t preroll = PrerollSink::FramesFor(context.Header->Layer());
    if (!LoadFrame(context, std::max(target - preroll, 0))) {
        return std::nullopt;
    }
    return std::max(target, context.Stream->CurrentFrame());
}

// Filters, sink and the stages before it, for the stream's channels and the
// session's channel choice. False when there is no sink to decode into; the
// failure has been reported and everything made is gone.
bool MakeOutputs(DecodeContext& context, OutputFailureReport& report) {
    if (context.Header->Mode() == ModeSingleChannel) {
        context.Channels = ChannelChoice::Left;
    }
    const bool twoChannels = context.Channels == ChannelChoice::Both;

    context.LeftFilter = std::make_unique<PolyphaseFilter>(0, PcmScale);
    if (twoChannels) {
        context.RightFilter = std::make_unique<PolyphaseFilter>(1, PcmScale);
    }

    context.Sink = MakeSink(context, twoChannels ? 2 : 1, report);
    if (!context.Sink) {
        report.Report(OutputFailure::NoOutputBuffer);
        CleanUp(context, false);
        return false;
    }
    if (context.Sink->Failed()) {
        CleanUp(context, false);  // the sink has reported its failure
        return false;
    }

    MakeTrimmer(context);
    context.Preroll =
        std::make_unique<PrerollSink>(context.Trimmer ? *context.Trimmer : *context.Sink);
    return true;
}

// Where the decoding stands, from frame to frame.
struct DecodePosition {
    uint32_t layer = 0;         // of the decoder in use
    int32_t firstHeard = 0;     // frames before it are a seek's preroll
    bool seekDecoding = false;  // the frame the last seek reported is not decoded yet
    bool preroll = false;       // the frame loaded is decoded but not heard
    Crc16* crc = nullptr;       // of the frame loaded
};

// How the decoding ends, when a request ends it.
enum class Ending { NotYet, PlayOut, Abort };

// Carries out a seek request. Called with the lock held.
Ending TakeSeek(DecodeContext& context, DecodePosition& position) {
    context.Sink->ClearBuffer();
    const std::optional<int32_t> first = SeekStream(context, context.SeekTarget);
    if (!first) {
        return Ending::PlayOut;
    }
    position.firstHeard = *first;
    position.seekDecoding = true;
    context.SeekRequest = false;
    context.LeftFilter->Reset();
    if (context.RightFilter) {
        context.RightFilter->Reset();
    }
    if (context.Decoder) {
        context.Decoder->SeekNotify();
    }
    position.crc = context.Header->FrameCrc();
    Post(context, MSG_SEEKDONE);
    PostActFrame(context, position.firstHeard);
    if (context.StopFrame != 0 && position.firstHeard >= context.StopFrame) {
        return Ending::Abort;
    }
    return Ending::NotYet;
}

// The host's requests before each frame, under the lock: the pause, a stop or the
// stop frame, a seek; then the frame about to be decoded becomes the current one
// and is reported on the notification cadence.
Ending TakeRequests(DecodeContext& context, DecodePosition& position) {
    platform::NamedMutexLock lock(context.Lock);
    WaitWhilePaused(context, lock);

    if (context.StopRequest || StopFrameReached(context)) {
        // A range's end is its end of stream: the device sink plays out the
        // range's last buffers instead of dropping them. A stop drops them.
        return context.StopRequest ? Ending::Abort : Ending::PlayOut;
    }

    // A seek is taken once the frame the last one reported has been decoded: a
    // seek's preroll and its first frame run through first.
    if (context.SeekRequest && !position.seekDecoding) {
        const Ending ending = TakeSeek(context, position);
        if (ending != Ending::NotYet) {
            return ending;
        }
    }

    const int32_t loaded = context.Stream->CurrentFrame();
    position.preroll = loaded < position.firstHeard;
    context.CurrentFrame = std::max(loaded, position.firstHeard);
    const uint16_t cadence = context.NotifyCadence;
    if (!context.StopRequest && !position.preroll && cadence != 0 &&
        context.CurrentFrame % cadence == 0) {
        PostActFrame(context, context.CurrentFrame);
    }
    return Ending::NotYet;
}

// Decodes the frame loaded last, without the lock.
void DecodeLoadedFrame(DecodeContext& context, DecodePosition& position) {
    const FrameStream& stream = *context.Stream;
    context.Preroll->SetDropping(position.preroll);
    if (context.Header->Layer() != position.layer) {
        position.layer = context.Header->Layer();
        MakeDecoderForLayer(context, position.layer);
    }
    if (context.Trimmer) {
        context.Trimmer->StartFrame(stream.CurrentFrame());
    }
    if (context.Decoder) {
        context.Decoder->DecodeFrame(position.crc);
    }
    position.seekDecoding = position.seekDecoding && stream.CurrentFrame() < position.firstHeard;
}

// Everything but the thread's last message; every way out has cleaned up.
void DecodeFrames(DecodeContext& context, OutputFailureReport& report) {
    if (!MakeOutputs(context, report)) {
        return;
    }
    FrameStream& stream = *context.Stream;
    FrameHeader& header = *context.Header;
    DecodePosition position;
    position.layer = header.Layer();
    MakeDecoderForLayer(context, position.layer);
    position.crc = header.FrameCrc();  // of the frame Open has loaded

    for (;;) {
        const Ending ending = TakeRequests(context, position);
        if (ending != Ending::NotYet) {
            CleanUp(context, ending == Ending::Abort);
            return;
        }
        DecodeLoadedFrame(context, position);
        if (context.Sink->Failed()) {
            CleanUp(context, false);  // the sink has reported its failure
            return;
        }
        {
            platform::NamedMutexLock lock(context.Lock);
            context.CurrentFrame = std::max(stream.CurrentFrame(), position.firstHeard);
        }
        if (!header.ReadNext(stream, position.crc)) {
            break;
        }
        context.Progress.Record(stream);
    }

    {
        platform::NamedMutexLock lock(context.Lock);
        if (!context.StopRequest) {
            PostActFrame(context, context.CurrentFrame);
        }
    }
    // The device sink plays out what it holds and waits for it, without the lock, so
    // the host's Pause, Play and Stop never wait for the device.
    CleanUp(context, false);
}

}  // namespace

void RunDecodeThread(DecodeContext& context) {
    FailurePoster report(context);
    DecodeFrames(context, report);
    Post(context, MSG_THREADENDED);
}

}  // namespace aurion
