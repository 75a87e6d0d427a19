#include "platform/waveout/WaveOut.h"

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>

#include "platform/waveout/DeviceCatalog.h"
#include "platform/waveout/WaveOutDevice.h"

namespace platform {

namespace {

// The rates a device is opened for; beyond them a format is taken for garbage.
constexpr uint32_t LowestRate = 1000;
constexpr uint32_t HighestRate = 384'000;

// Open devices by handle. A call holds its device while it runs, so a handle closed
// meanwhile on another thread answers InvalidHandle instead of vanishing under it.
// Never destroyed: devices left open at exit keep playing until the process ends.
struct OpenDeviceTable {
    std::mutex Guard;
    std::map<WaveOutHandle, std::shared_ptr<WaveOutDevice>> Devices;
};

OpenDeviceTable& OpenDevices() {
    static auto* table = new OpenDeviceTable;
    return *table;
}

std::shared_ptr<WaveOutDevice> Find(WaveOutHandle handle) {
    OpenDeviceTable& open = OpenDevices();
    std::lock_guard lock(open.Guard);
    auto found = open.Devices.find(handle);
    return found == open.Devices.end() ? nullptr : found->second;
}

bool IsPlayable(const WaveFormat& format) {
    return format.FormatTag == 1 && format.BitsPerSample == 16 &&
           (format.Channels == 1 || format.Channels == 2) && format.SamplesPerSec >= LowestRate &&
           format.SamplesPerSec <= HighestRate && format.BlockAlign == format.Channels * 2 &&
           format.AvgBytesPerSec == format.SamplesPerSec * format.BlockAlign;
}

}  // namespace

uint32_t WaveOutGetNumDevs() { return DeviceCount(); }

MmResult WaveOutGetDevCaps(uint32_t device, WaveOutCaps& caps) {
    const std::optional<DeviceEntry> entry = FindDevice(device);
    if (!entry) return MmResult::BadDeviceId;
    caps.ProductName = entry->ProductName;
    caps.Formats = DeviceFormats(*entry);
    return MmResult::NoError;
}

namespace {

std::mutex g_openFailureGuard;
std::function<bool(uint32_t)> g_openFailure;

bool OpenFails(uint32_t device) {
    std::lock_guard lock(g_openFailureGuard);
    return g_openFailure && g_openFailure(device);
}

}  // namespace

void SetWaveOutOpenFailureHook(std::function<bool(uint32_t device)> hook) {
    std::lock_guard lock(g_openFailureGuard);
    g_openFailure = std::move(hook);
}

namespace {

std::atomic<bool> g_volumeRefused{false};

}  // namespace

void SetWaveOutVolumeRefusal(bool refused) { g_volumeRefused = refused; }

MmResult WaveOutOpen(WaveOutHandle& handle, uint32_t device, const WaveFormat& format,
                     WaveOutDoneCallback onDone) {
    if (OpenFails(device)) return MmResult::Error;
    const std::optional<DeviceEntry> entry = FindDevice(device);
    if (!entry) return MmResult::BadDeviceId;
    if (!IsPlayable(format)) return MmResult::BadFormat;
    MmResult error = MmResult::NoError;
    std::unique_ptr<PcmBackend> backend = OpenDevice(*entry, format, error);
    if (!backend) return error;
    std::shared_ptr<WaveOutDevice> opened;
    try {
        opened = std::make_shared<WaveOutDevice>(std::move(backend), format, entry->Volume,
                                                 std::move(onDone));
    } catch (const std::exception&) {
        return MmResult::NoMemory;  // no memory or no playback thread to be had
    }
    OpenDeviceTable& open = OpenDevices();
    std::lock_guard lock(open.Guard);
    open.Devices.emplace(opened.get(), opened);
    handle = opened.get();
    return MmResult::NoError;
}

MmResult WaveOutClose(WaveOutHandle handle) {
    std::shared_ptr<WaveOutDevice> device = Find(handle);
    if (!device) return MmResult::InvalidHandle;
    const MmResult result = device->Close();
    if (result != MmResult::NoError) return result;
    OpenDeviceTable& open = OpenDevices();
    std::lock_guard lock(open.Guard);
    open.Devices.erase(handle);
    return MmResult::NoError;
}

MmResult WaveOutPrepareHeader(WaveOutHandle handle, WaveHeader& header) {
    std::shared_ptr<WaveOutDevice> device = Find(handle);
    return device ? device->Prepare(header) : MmResult::InvalidHandle;
}

MmResult WaveOutWrite(WaveOutHandle handle, WaveHeader& header) {
    std::shared_ptr<WaveOutDevice> device = Find(handle);
    return device ? device->Write(header) : MmResult::InvalidHandle;
}

MmResult WaveOutUnprepareHeader(WaveOutHandle handle, WaveHeader& header) {
    std::shared_ptr<WaveOutDevice> device = Find(handle);
    return device ? device->Unprepare(header) : MmResult::InvalidHandle;
}

MmResult WaveOutPause(WaveOutHandle handle) {
    std::shared_ptr<WaveOutDevice> device = Find(handle);
    return device ? device->Pause() : MmResult::InvalidHandle;
}

MmResult WaveOutRestart(WaveOutHandle handle) {
    std::shared_ptr<WaveOutDevice> device = Find(handle);
    return device ? device->Restart() : MmResult::InvalidHandle;
}

MmResult WaveOutReset(WaveOutHandle handle) {
    std::shared_ptr<WaveOutDevice> device = Find(handle);
    return device ? device->Reset() : MmResult::InvalidHandle;
}

MmResult WaveOutGetPosition(WaveOutHandle handle, uint64_t& frames) {
    std::shared_ptr<WaveOutDevice> device = Find(handle);
    if (!device) return MmResult::InvalidHandle;
    frames = device->PlayedFrames();
    return MmResult::NoError;
}

MmResult WaveOutGetVolume(WaveOutHandle handle, uint32_t& volume) {
    std::shared_ptr<WaveOutDevice> device = Find(handle);
    if (!device) return MmResult::InvalidHandle;
    volume = device->Volume();
    return MmResult::NoError;
}

MmResult WaveOutSetVolume(WaveOutHandle handle, uint32_t volume) {
    std::shared_ptr<WaveOutDevice> device = Find(handle);
    if (!device) return MmResult::InvalidHandle;
    if (g_volumeRefused) return MmResult::Error;
    device->SetVolume(volume);
    return MmResult::NoError;
}

MmResult WaveOutGetDeviceVolume(uint32_t device, uint32_t& volume) {
    const std::optional<DeviceEntry> entry = FindDevice(device);
    if (!entry) return MmResult::BadDeviceId;
    volume = entry->Volume->load();
    return MmResult::NoError;
}

MmResult WaveOutSetDeviceVolume(uint32_t device, uint32_t volume) {
    const std::optional<DeviceEntry> entry = FindDevice(device);
    if (!entry) return MmResult::BadDeviceId;
    entry->Volume->store(volume);
    return MmResult::NoError;
}

}  // namespace platform
