// The wave-output devices as numbered by the layer, and each device's volume.
// TRACKDECK_AUDIO=null makes the null device the only one; otherwise the devices are
// ALSA's playback PCMs, or the null device alone where none can be opened. The
// environment is read at every call, the ALSA device list once per process.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/waveout/PcmBackend.h"
#include "platform/waveout/WaveOut.h"

namespace platform {

struct DeviceEntry {
    std::string Name;  // ALSA's PCM name, or empty for the null device
    std::string ProductName;
    // The device's volume, kept for the process and shared with every handle open on it.
    std::shared_ptr<std::atomic<uint32_t>> Volume;
};

[[nodiscard]] uint32_t DeviceCount();
[[nodiscard]] std::optional<DeviceEntry> FindDevice(uint32_t device);
[[nodiscard]] uint32_t DeviceFormats(const DeviceEntry& device);
// Opens the device's backend for the format; null with `error` set when it cannot.
[[nodiscard]] std::unique_ptr<PcmBackend> OpenDevice(const DeviceEntry& device,
                                                     const WaveFormat& format, MmResult& error);

}  // namespace platform
