#include "platform/mixer/Mixer.h"

#include <mutex>
#include <set>

#include "platform/waveout/PlayedPeak.h"

namespace platform {

struct MixerDevice {};

namespace {

constexpr uint32_t WaveOutLineId = 0;
constexpr uint32_t PeakMeterControlId = 1;
constexpr int32_t PeakMeterMaximum = 32767;

std::mutex OpenMixersGuard;
std::set<MixerHandle> OpenMixers;

bool IsOpen(MixerHandle handle) {
    std::lock_guard lock(OpenMixersGuard);
    return OpenMixers.count(handle) != 0;
}

}  // namespace

uint32_t MixerGetNumDevs() { return 1; }

MmResult MixerOpen(MixerHandle& handle, uint32_t device) {
    if (device != 0) return MmResult::BadDeviceId;
    std::lock_guard lock(OpenMixersGuard);
    handle = new MixerDevice;
    OpenMixers.insert(handle);
    return MmResult::NoError;
}

MmResult MixerClose(MixerHandle handle) {
    std::lock_guard lock(OpenMixersGuard);
    if (OpenMixers.erase(handle) == 0) return MmResult::InvalidHandle;
    delete handle;
    return MmResult::NoError;
}

MmResult MixerGetLineInfoByComponentType(MixerHandle handle, uint32_t componentType,
                                         MixerLine& line) {
    if (!IsOpen(handle)) return MmResult::InvalidHandle;
    if (componentType != MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT) return MmResult::Error;
    line = MixerLine{WaveOutLineId, MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, 1, "Wave"};
    return MmResult::NoError;
}

MmResult MixerGetLineControlByType(MixerHandle handle, uint32_t lineId, uint32_t controlType,
                                   MixerControl& control) {
    if (!IsOpen(handle)) return MmResult::InvalidHandle;
    if (lineId != WaveOutLineId || controlType != MIXERCONTROL_CONTROLTYPE_PEAKMETER)
        return MmResult::Error;
    control = MixerControl{PeakMeterControlId, MIXERCONTROL_CONTROLTYPE_PEAKMETER, 0,
                           PeakMeterMaximum, "Peak Meter"};
    return MmResult::NoError;
}

MmResult MixerGetControlValue(MixerHandle handle, uint32_t controlId, int32_t& value) {
    if (!IsOpen(handle)) return MmResult::InvalidHandle;
    if (controlId != PeakMeterControlId) return MmResult::Error;
    value = static_cast<int32_t>(RecentPlayedPeak());
    return MmResult::NoError;
}

}  // namespace platform
