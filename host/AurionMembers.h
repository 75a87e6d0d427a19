// The members of the control's dispatch interface that the host calls, with their
// names for the messages (identifiers from the control's interface header).
#pragma once

#include "control/AurionInterface.h"
#include "host/ControlCaller.h"

namespace aurion::host::members {

inline constexpr Member FrameCount{DispIds::FrameCount, "FrameCount"};
inline constexpr Member IsCopyrighted{DispIds::IsCopyrighted, "IsCopyrighted"};
inline constexpr Member IsOriginal{DispIds::IsOriginal, "IsOriginal"};
inline constexpr Member HasChecksums{DispIds::HasChecksums, "HasChecksums"};
inline constexpr Member Layer{DispIds::Layer, "Layer"};
inline constexpr Member SampleFrequency{DispIds::SampleFrequency, "SampleFrequency"};
inline constexpr Member BitRate{DispIds::BitRate, "BitRate"};
inline constexpr Member MPEGVersion{DispIds::MPEGVersion, "MPEGVersion"};
inline constexpr Member MPEGMode{DispIds::MPEGMode, "MPEGMode"};
inline constexpr Member FrameNotifyCount{DispIds::FrameNotifyCount, "FrameNotifyCount"};
inline constexpr Member Version{DispIds::Version, "Version"};
inline constexpr Member MsPerFrame{DispIds::MsPerFrame, "MsPerFrame"};
inline constexpr Member TotalTime{DispIds::TotalTime, "TotalTime"};
inline constexpr Member ChannelMode{DispIds::ChannelMode, "ChannelMode"};
inline constexpr Member Open{DispIds::Open, "Open"};
inline constexpr Member Play{DispIds::Play, "Play"};
inline constexpr Member Stop{DispIds::Stop, "Stop"};
inline constexpr Member Close{DispIds::Close, "Close"};
inline constexpr Member SetErrorMode{DispIds::SetErrorMode, "SetErrorMode"};
inline constexpr Member SetVolumeP{DispIds::SetVolumeP, "SetVolumeP"};

}  // namespace aurion::host::members
