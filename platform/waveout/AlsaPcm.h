// Wave output over an ALSA playback PCM: the device list and an open PCM as a
// backend. Every ALSA call of the layer lives here.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/waveout/PcmBackend.h"
#include "platform/waveout/WaveOut.h"

namespace platform {

struct AlsaDevice {
    std::string Name;  // the PCM name ALSA opens, "default" first
    std::string ProductName;
};

// The playback PCMs, "default" first; empty when "default" cannot be opened.
[[nodiscard]] std::vector<AlsaDevice> FindAlsaDevices();
// The standard formats the PCM accepts; every format for one that cannot be asked.
[[nodiscard]] uint32_t AlsaFormats(const std::string& name);
// Opens the PCM for the format; null with `error` set when it cannot.
[[nodiscard]] std::unique_ptr<PcmBackend> OpenAlsaPcm(const std::string& name,
                                                      const WaveFormat& format, MmResult& error);

}  // namespace platform
