// The mixer's peak meter of the wave-output line, in the manner of the platform's
// mixer functions: mixer device 0 has a wave-output source line (component type
// 4104) that carries one peak-meter control (type 0x10020001, bounds 0 to 32767).
// The control's value is the peak of the absolute sample values that the wave-output
// layer played (after volume) during the last 50 ms, 0 while nothing plays.
#pragma once

#include <cstdint>
#include <string>

#include "platform/waveout/WaveOut.h"

namespace platform {

constexpr uint32_t MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT = 4104;
constexpr uint32_t MIXERCONTROL_CONTROLTYPE_PEAKMETER = 0x10020001;

struct MixerLine {
    uint32_t LineId = 0;
    uint32_t ComponentType = 0;
    uint32_t Controls = 0;
    std::string Name;
};

struct MixerControl {
    uint32_t ControlId = 0;
    uint32_t ControlType = 0;
    int32_t Minimum = 0;
    int32_t Maximum = 0;
    std::string Name;
};

struct MixerDevice;
using MixerHandle = MixerDevice*;

[[nodiscard]] uint32_t MixerGetNumDevs();
// Only device 0 exists.
MmResult MixerOpen(MixerHandle& handle, uint32_t device);
MmResult MixerClose(MixerHandle handle);
// The source line of the given component type.
MmResult MixerGetLineInfoByComponentType(MixerHandle handle, uint32_t componentType,
                                         MixerLine& line);
// The line's control of the given type.
MmResult MixerGetLineControlByType(MixerHandle handle, uint32_t lineId, uint32_t controlType,
                                   MixerControl& control);
// The current value of a signed control.
MmResult MixerGetControlValue(MixerHandle handle, uint32_t controlId, int32_t& value);

}  // namespace platform
