// What the control's thread and a session's decoding thread share. The lock
// guards the request fields (stop, seek, stop frame, cadence, current frame);
// the pause gate is held by the host's thread while the session is paused. The
// stop and seek requests are also read without the lock by the wave-output sink,
// whose waits give way to them. The decoder objects belong to the decoding thread
// once it runs.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "control/decoder/SampleSink.h"
#include "control/player/ReadProgress.h"
#include "platform/thread/NamedMutex.h"
#include "platform/window/MessageWindow.h"

namespace aurion {

class FrameStream;
class FrameHeader;
class PolyphaseFilter;
class FrameDecoder;
class TrimmingSink;
class PrerollSink;
class SharedWaveDevice;

enum class OutputKind : int { WaveDevice = 0, WavFile = 2 };

struct DecodeContext {
    DecodeContext(std::string lockName, std::string pauseGateName);
    ~DecodeContext();  // closes the stream
    DecodeContext(const DecodeContext&) = delete;
    DecodeContext& operator=(const DecodeContext&) = delete;

    platform::NamedMutex Lock;
    platform::NamedMutex PauseGate;

    // Guarded by Lock.
    std::atomic<bool> StopRequest{false};
    int32_t SeekTarget = 0;
    std::atomic<bool> SeekRequest{false};
    uint16_t NotifyCadence = 32;  // 0: no cadence notifications

    platform::WindowHandle Window = platform::NullWindow;

    // Made and destroyed by the decoding thread.
    std::unique_ptr<PolyphaseFilter> LeftFilter;
    std::unique_ptr<PolyphaseFilter> RightFilter;
    std::unique_ptr<SampleSink> Sink;
    // Between the decoder and the sink when the file's encoder gap is dropped.
    std::unique_ptr<TrimmingSink> Trimmer;
    // Between the decoder and the rest: drops the frames a seek decodes before its target.
    std::unique_ptr<PrerollSink> Preroll;
    std::unique_ptr<FrameDecoder> Decoder;  // for the layer of the frames being decoded

    // Made by Open.
    std::unique_ptr<FrameStream> Stream;
    std::unique_ptr<FrameHeader> Header;

    ChannelChoice Channels = ChannelChoice::Both;
    OutputKind Output = OutputKind::WaveDevice;
    std::string WavPath;  // kept whole, whatever its length

    // Guarded by Lock.
    int32_t CurrentFrame = 0;
    int32_t StopFrame = 0;  // 0: none

    int16_t DeviceNumber = 0;
    // The session's device, shared with the host's thread; none in a bare context.
    SharedWaveDevice* Device = nullptr;
    std::atomic<int32_t> SpeedPercent{100};  // 50..1000, read by the device sink
    bool HighPriority = true;

    // The operating system's reason (errno) behind the output's last failure, 0 for
    // none: stored by the decoding thread before it posts the failure.
    std::atomic<int> OutputError{0};
    // How far the decoding thread has read the stream, for the length estimate.
    ReadProgress Progress;
};

}  // namespace aurion
