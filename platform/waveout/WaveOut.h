// Waveform audio output in the manner of the platform's wave-out functions, over
// ALSA: devices are ALSA's playback PCMs with "default" first, or, where none can be
// opened (or TRACKDECK_AUDIO=null), the built-in null device, which consumes audio
// at the real-time rate of its format. With TRACKDECK_AUDIO_CAPTURE=FILE the null
// device appends every sample it plays, after volume, to FILE as raw 16-bit
// little-endian values, so tests can hear what was played.
//
// A device is opened without callback: the caller prepares a buffer header, writes
// it (it is queued and played in order) and learns that it has been played when
// WaveOutUnprepareHeader stops answering StillPlaying. One playback thread per open
// device feeds ALSA in small periods, so Reset and Pause act within about 20 ms, and
// it recovers from underruns and suspends instead of stopping. The volume is kept
// per device and applied to the samples by this layer.
//
// Every function may be called from any thread; a handle is used by one owner at a
// time (the decoding thread writes, the host's thread pauses, restarts and sets the
// volume), which this layer makes safe.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace platform {

enum class MmResult : uint32_t {
    NoError = 0,
    Error = 1,
    BadDeviceId = 2,
    InvalidHandle = 5,
    NoMemory = 7,
    InvalidParameter = 11,
    BadFormat = 32,
    StillPlaying = 33,
    Unprepared = 34,
};

// WAVE_FORMAT_PCM with 16 bits per sample, mono or stereo.
struct WaveFormat {
    uint16_t FormatTag = 1;
    uint16_t Channels = 2;
    uint32_t SamplesPerSec = 44100;
    uint32_t AvgBytesPerSec = 44100 * 4;
    uint16_t BlockAlign = 4;
    uint16_t BitsPerSample = 16;
};

// The standard formats of a device's capability mask (WAVE_FORMAT_1M08 ... 4S16).
namespace WaveFormats {
constexpr uint32_t Mono8_11k = 0x00000001, Stereo8_11k = 0x00000002, Mono16_11k = 0x00000004,
                   Stereo16_11k = 0x00000008, Mono8_22k = 0x00000010, Stereo8_22k = 0x00000020,
                   Mono16_22k = 0x00000040, Stereo16_22k = 0x00000080, Mono8_44k = 0x00000100,
                   Stereo8_44k = 0x00000200, Mono16_44k = 0x00000400, Stereo16_44k = 0x00000800,
                   Mono8_96k = 0x00010000, Stereo8_96k = 0x00020000, Mono16_96k = 0x00040000,
                   Stereo16_96k = 0x00080000;
}  // namespace WaveFormats

struct WaveOutCaps {
    std::string ProductName;
    uint32_t Formats = 0;  // mask of WaveFormats
};

// A buffer handed to a device. The caller owns Data and keeps header and data alive
// and unchanged from WaveOutWrite until WaveOutUnprepareHeader succeeds. User is the
// caller's own word; Internal belongs to the layer.
struct WaveHeader {
    uint8_t* Data = nullptr;
    uint32_t BufferLength = 0;  // bytes, a whole number of sample frames
    uint32_t Flags = 0;         // WaveHeaderFlags
    uintptr_t User = 0;
    void* Internal = nullptr;
};

namespace WaveHeaderFlags {
constexpr uint32_t Done = 0x00000001;      // played, or returned by Reset
constexpr uint32_t Prepared = 0x00000002;  // between prepare and unprepare
constexpr uint32_t InQueue = 0x00000010;   // written and not yet done
}  // namespace WaveHeaderFlags

class WaveOutDevice;
using WaveOutHandle = WaveOutDevice*;

[[nodiscard]] uint32_t WaveOutGetNumDevs();
MmResult WaveOutGetDevCaps(uint32_t device, WaveOutCaps& caps);

// Told whenever written buffers have become done (played, or returned by a Reset),
// in the manner of an open's callback event: on the device's playback thread, or on
// the thread that resets. It must not call the wave-out functions and must not
// block; it is meant to wake a thread that waits for its buffers, so that the
// waiter need not poll WaveOutUnprepareHeader.
using WaveOutDoneCallback = std::function<void()>;

// Opens the device for the format; `handle` is set only on success. `onDone`, when
// given, is told of done buffers until the device is closed.
MmResult WaveOutOpen(WaveOutHandle& handle, uint32_t device, const WaveFormat& format,
                     WaveOutDoneCallback onDone = {});
// StillPlaying while written buffers are not done; the handle then stays open.
MmResult WaveOutClose(WaveOutHandle handle);

MmResult WaveOutPrepareHeader(WaveOutHandle handle, WaveHeader& header);
// Queues a prepared buffer behind those already written; playing starts at once
// unless the device is paused.
MmResult WaveOutWrite(WaveOutHandle handle, WaveHeader& header);
// StillPlaying while the buffer is queued and not yet played.
MmResult WaveOutUnprepareHeader(WaveOutHandle handle, WaveHeader& header);

MmResult WaveOutPause(WaveOutHandle handle);
MmResult WaveOutRestart(WaveOutHandle handle);
// Stops playing; every queued buffer is marked done at once, unplayed. Not paused
// afterwards.
MmResult WaveOutReset(WaveOutHandle handle);
// The sample frames the device has played since it was opened or last reset: what
// has been heard, not what has been written. It stands still while paused.
MmResult WaveOutGetPosition(WaveOutHandle handle, uint64_t& frames);

// The volume as one value: left in the low 16 bits, right in the high 16 bits, each
// 0..65535 (0xFFFF passes the samples unchanged). Kept per device: an open handle
// reads and sets the volume of its device, and a device number does the same
// without opening it. A new device starts at 0xFFFFFFFF.
MmResult WaveOutGetVolume(WaveOutHandle handle, uint32_t& volume);
MmResult WaveOutSetVolume(WaveOutHandle handle, uint32_t volume);
MmResult WaveOutGetDeviceVolume(uint32_t device, uint32_t& volume);
MmResult WaveOutSetDeviceVolume(uint32_t device, uint32_t volume);

// For tests: while the hook answers true for a device number, opening it fails with
// Error, as a device taken by another program does. An empty hook removes it.
void SetWaveOutOpenFailureHook(std::function<bool(uint32_t device)> hook);
// For tests: while on, an open device refuses volume changes (WaveOutSetVolume fails
// with Error), as a driver may while it plays; a device number's volume still
// takes a value.
void SetWaveOutVolumeRefusal(bool refused);

// For tests, process-wide: told on a device's playback thread each time it settles
// to wait with nothing it may play, because the device is paused or because every
// written buffer has been played or returned. All it took before has then reached
// the backend (and the null device's capture file). It must not call the wave-out
// functions and must not block. An empty hook removes it.
enum class WaveOutIdle { Paused, Drained };
void SetWaveOutIdleHook(std::function<void(WaveOutIdle why)> hook);

}  // namespace platform
