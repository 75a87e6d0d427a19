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
inline constexpr Member Pause{DispIds::Pause, "Pause"};
inline constexpr Member Seek{DispIds::Seek, "Seek"};
inline constexpr Member GetStatus{DispIds::GetStatus, "GetStatus"};
inline constexpr Member SetSpeed{DispIds::SetSpeed, "SetSpeed"};
inline constexpr Member SetVolumeP{DispIds::SetVolumeP, "SetVolumeP"};
inline constexpr Member GetVolumeLeftP{DispIds::GetVolumeLeftP, "GetVolumeLeftP"};
inline constexpr Member GetWaveLengthSecs{DispIds::GetWaveLengthSecs, "GetWaveLengthSecs"};
inline constexpr Member GetNumDevs{DispIds::GetNumDevs, "GetNumDevs"};
inline constexpr Member GetDevName{DispIds::GetDevName, "GetDevName"};
inline constexpr Member GetDevParam{DispIds::GetDevParam, "GetDevParam"};
inline constexpr Member SetOutDevice{DispIds::SetOutDevice, "SetOutDevice"};
inline constexpr Member GetTitle{DispIds::GetTitle, "GetTitle"};
inline constexpr Member SetTitle{DispIds::SetTitle, "SetTitle"};
inline constexpr Member GetArtist{DispIds::GetArtist, "GetArtist"};
inline constexpr Member SetArtist{DispIds::SetArtist, "SetArtist"};
inline constexpr Member GetAlbum{DispIds::GetAlbum, "GetAlbum"};
inline constexpr Member SetAlbum{DispIds::SetAlbum, "SetAlbum"};
inline constexpr Member GetYear{DispIds::GetYear, "GetYear"};
inline constexpr Member SetYear{DispIds::SetYear, "SetYear"};
inline constexpr Member GetComment{DispIds::GetComment, "GetComment"};
inline constexpr Member SetComment{DispIds::SetComment, "SetComment"};
inline constexpr Member GetGenre{DispIds::GetGenre, "GetGenre"};
inline constexpr Member SetGenre{DispIds::SetGenre, "SetGenre"};
inline constexpr Member GetGenreString{DispIds::GetGenreString, "GetGenreString"};
inline constexpr Member GetHasTag{DispIds::GetHasTag, "GetHasTag"};
inline constexpr Member WriteTag{DispIds::WriteTag, "WriteTag"};
inline constexpr Member DelTag{DispIds::DelTag, "DelTag"};
inline constexpr Member GetPlayedFrame{DispIds::GetPlayedFrame, "GetPlayedFrame"};
inline constexpr Member GetFrameEstimate{DispIds::GetFrameEstimate, "GetFrameEstimate"};
inline constexpr Member GetLengthKnown{DispIds::GetLengthKnown, "GetLengthKnown"};
inline constexpr Member GetFailureReason{DispIds::GetFailureReason, "GetFailureReason"};

}  // namespace aurion::host::members
