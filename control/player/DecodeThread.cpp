#include "control/player/DecodeThread.h"

#include "control/decoder/FrameDecoder.h"
#include "control/decoder/stream/FrameHeader.h"
#include "control/decoder/stream/FrameStream.h"
#include "control/decoder/synthesis/PolyphaseFilter.h"
#include "control/output/WavFileSink.h"
#include "control/player/DecodeContext.h"
#include "control/player/WorkerMessages.h"
#include "platform/com/HResult.h"

namespace aurion {

namespace {

constexpr float PcmScale = 32768.0f;  // full scale 1.0 of the filters to 16-bit PCM
constexpr uint32_t ModeSingleChannel = 3;

constexpr const char* TextNoSink = "can`t create output buffer";
constexpr uint16_t ErrorNoSink = 605;

void Post(const DecodeContext& context, uint32_t message, platform::WParam wParam = 0,
          platform::LParam lParam = 0) {
    platform::PostMessage(context.Window, message, wParam, lParam);
}

void PostFailure(platform::WindowHandle window, const char* text, uint16_t error) {
    platform::PostMessage(
        window, MSG_FAILURE, reinterpret_cast<platform::WParam>(text),
        platform::MakeScode(platform::SEVERITY_ERROR, platform::FACILITY_CONTROL, error));
}

void PostActFrame(const DecodeContext& context, int32_t frame) {
    Post(context, MSG_ACTFRAME, static_cast<platform::WParam>(frame));
}

// The one place that turns the output kind into a sink. There is no wave-output
// sink yet, so device playback takes the "no sink" path.
std::unique_ptr<SampleSink> MakeSink(const DecodeContext& context, int channels) {
    switch (context.Output) {
        case OutputKind::WavFile: {
            const platform::WindowHandle window = context.Window;
            const FrameHeader& header = *context.Header;
            return std::make_unique<WavFileSink>(
                context.WavPath, channels, header.SampleRate(),
                WavFrameBytes(channels, header.Version(), header.Layer()),
                [window](const char* text, uint16_t error, bool endsSession) {
                    PostFailure(window, text, error);
                    if (endsSession) {
                        platform::PostMessage(window, MSG_THREADENDED, 0, 0);
                    }
                });
        }
        case OutputKind::WaveDevice:
            return nullptr;
    }
    return nullptr;
}

void CleanUp(DecodeContext& context, bool abort) {
    if (abort && context.Sink) {
        context.Sink->Abort();
    }
    // The decoder refers to the sink and the filters: it goes first.
    context.Decoder.reset();
    context.Sink.reset();
    context.RightFilter.reset();
    context.LeftFilter.reset();
}

// The decoder for the layer of the frame loaded last, replacing the one before.
void MakeDecoderForLayer(DecodeContext& context, uint32_t layer) {
    context.Decoder.reset();
    context.Decoder = MakeFrameDecoder(
        layer, FrameDecoderParts{*context.Stream, *context.Header, *context.LeftFilter,
                                 context.RightFilter.get(), *context.Sink, context.Channels});
}

// Called with the lock held; leaves it held.
void WaitWhilePaused(DecodeContext& context) {
    if (context.PauseGate.TryWait()) {
        context.PauseGate.Release();
        return;
    }
    context.Lock.Release();
    context.PauseGate.Wait();
    context.PauseGate.Release();
    context.Lock.Wait();
}

// The stop frame is compared with the frame about to be decoded, so that a range
// A..B ends before frame B.
bool StopFrameReached(const DecodeContext& context) {
    return context.StopFrame != 0 && context.Stream->CurrentFrame() >= context.StopFrame;
}

// A seek to a stream of fixed frame sizes leaves the target for the next read:
// load it now, so that the frame decoded next is the one sought.
bool SeekStream(DecodeContext& context, int32_t target) {
    FrameStream& stream = *context.Stream;
    if (!context.Header->SeekToFrame(stream, target)) {
        return false;
    }
    if (stream.CurrentFrame() == target) {
        return true;
    }
    Crc16* crc = nullptr;
    return context.Header->ReadNext(stream, crc) && stream.CurrentFrame() == target;
}

}  // namespace

void RunDecodeThread(DecodeContext& context) {
    FrameStream& stream = *context.Stream;
    FrameHeader& header = *context.Header;

    const bool singleChannelStream = header.Mode() == ModeSingleChannel;
    if (singleChannelStream) {
        context.Channels = ChannelChoice::Left;
    }
    const bool twoChannels = context.Channels == ChannelChoice::Both;

    context.LeftFilter = std::make_unique<PolyphaseFilter>(0, PcmScale);
    if (twoChannels) {
        context.RightFilter = std::make_unique<PolyphaseFilter>(1, PcmScale);
    }

    context.Sink = MakeSink(context, twoChannels ? 2 : 1);
    if (!context.Sink) {
        PostFailure(context.Window, TextNoSink, ErrorNoSink);
        CleanUp(context, false);
        Post(context, MSG_THREADENDED);
        return;
    }
    if (context.Sink->Failed()) {
        CleanUp(context, false);  // the sink has reported its failure and the end
        return;
    }

    uint32_t layer = header.Layer();
    MakeDecoderForLayer(context, layer);
    Crc16* crc = header.FrameCrc();  // of the frame Open has loaded

    for (;;) {
        context.Lock.Wait();
        WaitWhilePaused(context);

        if (context.StopRequest || StopFrameReached(context)) {
            CleanUp(context, true);
            context.Lock.Release();
            Post(context, MSG_THREADENDED);
            return;
        }

        if (context.SeekRequest) {
            context.Sink->ClearBuffer();
            if (!SeekStream(context, context.SeekTarget)) {
                CleanUp(context, false);
                context.Lock.Release();
                Post(context, MSG_THREADENDED);
                return;
            }
            context.SeekRequest = false;
            context.LeftFilter->Reset();
            if (context.RightFilter) {
                context.RightFilter->Reset();
            }
            if (context.Decoder) {
                context.Decoder->SeekNotify();
            }
            crc = header.FrameCrc();
            Post(context, MSG_SEEKDONE);
            PostActFrame(context, stream.CurrentFrame());
            if (StopFrameReached(context)) {
                CleanUp(context, true);
                context.Lock.Release();
                Post(context, MSG_THREADENDED);
                return;
            }
        }

        context.CurrentFrame = stream.CurrentFrame();
        const uint16_t cadence = context.NotifyCadence;
        if (!context.StopRequest && cadence != 0 && context.CurrentFrame % cadence == 0) {
            PostActFrame(context, context.CurrentFrame);
        }
        context.Lock.Release();

        if (header.Layer() != layer) {
            layer = header.Layer();
            MakeDecoderForLayer(context, layer);
        }
        if (context.Decoder) {
            context.Decoder->DecodeFrame(crc);
        }
        if (context.Sink->Failed()) {
            CleanUp(context, false);  // the sink has reported its failure and the end
            return;
        }

        context.Lock.Wait();
        context.CurrentFrame = stream.CurrentFrame();
        context.Lock.Release();

        if (!header.ReadNext(stream, crc)) {
            break;
        }
    }

    context.Lock.Wait();
    if (!context.StopRequest) {
        PostActFrame(context, context.CurrentFrame);
    }
    CleanUp(context, false);
    Post(context, MSG_THREADENDED);
    context.Lock.Release();
}

}  // namespace aurion
