// The control's error numbers and their texts, exactly as hosts see them (the odd
// spellings included: hosts and users have always read these words). An error
// without a text is a plain result: it is returned in either error mode and never
// raised as an automation exception.
#pragma once

#include <cstdint>

#include "control/output/OutputFailure.h"
#include "platform/com/HResult.h"

namespace aurion {

struct ControlError {
    int16_t Number = 0;
    const char* Text = nullptr;  // null: returned, never raised

    [[nodiscard]] constexpr bool HasText() const { return Text != nullptr; }
};

// The SCODE of a raised control error: severity error, facility control, the number.
[[nodiscard]] constexpr platform::HRESULT ErrorScode(int16_t number) {
    return platform::MakeScode(platform::SEVERITY_ERROR, platform::FACILITY_CONTROL,
                               static_cast<uint16_t>(number));
}

namespace Errors {
inline constexpr ControlError FrameOutOfRange{380, "Frame must be >= 0 and < FrameCount"};

// Reported by the decoding thread and its sinks through MSG_FAILURE.
inline constexpr ControlError WaveOutOpenFailed{601, "waveOutOpen() failed"};
inline constexpr ControlError MmioOpenFailed{601, "mmioOpen() failed"};
inline constexpr ControlError MmioAscendFailed{601, "mmioAscend() failed"};
inline constexpr ControlError MmioGetInfoFailed{601, "mmioGetInfo() failed"};
inline constexpr ControlError MmioCreateDataChunkFailed{601, "mmioCreateChunk() failed"};
inline constexpr ControlError MmioAdvanceFailed{601, "mmioAdvance(,,MMIO_WRITE) failed"};
inline constexpr ControlError MmioSetInfoFailed{601, "mmioSetInfo(,Info,) failed"};
inline constexpr ControlError MmioAscendDataFailed{601, "mmioAscend(,Data,) failed"};
inline constexpr ControlError MmioAscendRiffFailed{601, "mmioAscend(,RIFF,) failed"};
inline constexpr ControlError MmioCloseFailed{601, "mmioClose() failed"};
inline constexpr ControlError NoOutputBuffer{605, "can`t create output buffer"};
inline constexpr ControlError MmioCreateChunkFailed{609, "mmioCreateChunk() failed"};
inline constexpr ControlError MmioWriteFailed{609, "mmioWrite() failed"};

inline constexpr ControlError AlreadyOpened{640, "Already openend"};
inline constexpr ControlError NotMpegFile{641, "Specified File is not an MPEG-File"};
inline constexpr ControlError CantOpenStream{641, "cant open MPEG stream"};
inline constexpr ControlError NoInputFile{642, "No Inputfile given"};
inline constexpr ControlError CantReadHeader{643, "Unable to read MPEG-Header"};
inline constexpr ControlError HeaderWasUnreadable{643, nullptr};  // Play after such an Open
inline constexpr ControlError CantCreateThread{644, "Can`t create Working-Thread"};
inline constexpr ControlError CantResumeThread{645, "can`t resume WorkingThread"};
inline constexpr ControlError NotStarted{647, "Player not started"};
inline constexpr ControlError NotOpened{650, "Player not opened"};
inline constexpr ControlError FrameCountNotOpened{650, "Player not Opened"};
inline constexpr ControlError TagNotOpened{650, "not openend"};
inline constexpr ControlError SpeedNotOpened{650, nullptr};
inline constexpr ControlError AlreadyPlaying{651, "Already playing"};
inline constexpr ControlError NoWindow{653, "Can\u00B4t determine my hWnd"};
inline constexpr ControlError AlreadySeeking{654, "Player already seeking"};
inline constexpr ControlError VolumeReadFailed{655, "Error while determine Volume"};
inline constexpr ControlError VolumeChangeFailed{656, "Error changing Volume"};
inline constexpr ControlError VolumeFromWaveFile{657, "Cant get Volume from WaveFile"};
inline constexpr ControlError VolumeOnWaveFile{657, "Cant change Volume on WaveFile"};
inline constexpr ControlError ChannelModeRange{687, "ChannelMode only valid between 0 and 3"};
inline constexpr ControlError LeftVolumeRange{687, "Left volume only valid between 0 and 100"};
inline constexpr ControlError RightVolumeRange{687, "Right volume only valid between 0 and 100"};
inline constexpr ControlError NotEnoughSpace{712, nullptr};
inline constexpr ControlError BadDevice{713, nullptr};
inline constexpr ControlError DiskQueryFailed{714, nullptr};
inline constexpr ControlError TagFileNotWritable{715, nullptr};
}  // namespace Errors

// The number and text of each failing step that a session's decoding thread reports
// (MSG_FAILURE names the step; the host's thread looks it up here).
[[nodiscard]] constexpr const ControlError& ErrorOf(OutputFailure failure) {
    switch (failure) {
        case OutputFailure::NoOutputBuffer:
            return Errors::NoOutputBuffer;
        case OutputFailure::WaveOutOpen:
            return Errors::WaveOutOpenFailed;
        case OutputFailure::MmioOpen:
            return Errors::MmioOpenFailed;
        case OutputFailure::MmioRiffChunk:
            return Errors::MmioCreateChunkFailed;
        case OutputFailure::MmioFormatChunk:
            return Errors::MmioCreateChunkFailed;
        case OutputFailure::MmioFormatWrite:
            return Errors::MmioWriteFailed;
        case OutputFailure::MmioFormatAscend:
            return Errors::MmioAscendFailed;
        case OutputFailure::MmioDataChunk:
            return Errors::MmioCreateDataChunkFailed;
        case OutputFailure::MmioGetInfo:
            return Errors::MmioGetInfoFailed;
        case OutputFailure::MmioAdvance:
            return Errors::MmioAdvanceFailed;
        case OutputFailure::MmioSetInfo:
            return Errors::MmioSetInfoFailed;
        case OutputFailure::MmioAscendData:
            return Errors::MmioAscendDataFailed;
        case OutputFailure::MmioAscendRiff:
            return Errors::MmioAscendRiffFailed;
        case OutputFailure::MmioClose:
            return Errors::MmioCloseFailed;
    }
    return Errors::NoOutputBuffer;
}

}  // namespace aurion
