#include "platform/waveout/DeviceCatalog.h"

#include <cstdlib>
#include <map>
#include <mutex>
#include <vector>

#include "platform/waveout/AlsaPcm.h"
#include "platform/waveout/NullPcm.h"
#include "platform/waveout/StandardFormats.h"

namespace platform {

namespace {

constexpr const char* NullProductName = "Trackdeck Null Output";
constexpr uint32_t FullVolume = 0xFFFFFFFF;

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

std::mutex CatalogGuard;

const std::vector<AlsaDevice>& AlsaDevices() {
    static std::once_flag once;
    static std::vector<AlsaDevice> devices;
    std::call_once(once, [] { devices = FindAlsaDevices(); });
    return devices;
}

std::shared_ptr<std::atomic<uint32_t>> VolumeOf(const std::string& name) {
    static std::map<std::string, std::shared_ptr<std::atomic<uint32_t>>> volumes;
    std::lock_guard lock(CatalogGuard);
    auto& volume = volumes[name];
    if (!volume) volume = std::make_shared<std::atomic<uint32_t>>(FullVolume);
    return volume;
}

bool NullOnly() { return Environment("TRACKDECK_AUDIO") == "null" || AlsaDevices().empty(); }

}  // namespace

uint32_t DeviceCount() { return NullOnly() ? 1 : static_cast<uint32_t>(AlsaDevices().size()); }

std::optional<DeviceEntry> FindDevice(uint32_t device) {
    if (NullOnly()) {
        if (device != 0) return std::nullopt;
        return DeviceEntry{{}, NullProductName, VolumeOf({})};
    }
    const std::vector<AlsaDevice>& devices = AlsaDevices();
    if (device >= devices.size()) return std::nullopt;
    return DeviceEntry{devices[device].Name, devices[device].ProductName,
                       VolumeOf(devices[device].Name)};
}

uint32_t DeviceFormats(const DeviceEntry& device) {
    return device.Name.empty() ? AllStandardFormats : AlsaFormats(device.Name);
}

std::unique_ptr<PcmBackend> OpenDevice(const DeviceEntry& device, const WaveFormat& format,
                                       MmResult& error) {
    if (device.Name.empty()) {
        error = MmResult::NoError;
        return std::make_unique<NullPcm>(format.Channels, format.SamplesPerSec,
                                         Environment("TRACKDECK_AUDIO_CAPTURE"));
    }
    return OpenAlsaPcm(device.Name, format, error);
}

}  // namespace platform
