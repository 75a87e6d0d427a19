// How the outputs report a failure: as the step that failed, a value of their own.
// The decoding thread turns the step into the control's error number and text (one
// table, in the control's error header) and ends the session; the outputs know
// nothing of either.
#pragma once

#include <cstdint>

namespace aurion {

enum class OutputFailure : uint16_t {
    NoOutputBuffer,    // no sink could be made at all
    WaveOutOpen,       // the wave-output device cannot be opened
    MmioOpen,          // the WAV file cannot be created
    MmioRiffChunk,     // creating the RIFF chunk
    MmioFormatChunk,   // creating the "fmt " chunk
    MmioFormatWrite,   // writing the format record
    MmioFormatAscend,  // leaving the "fmt " chunk
    MmioDataChunk,     // creating the "data" chunk
    MmioGetInfo,       // fetching the I/O buffer
    MmioAdvance,       // advancing the I/O buffer while writing
    MmioSetInfo,       // handing the I/O buffer back at the end
    MmioAscendData,    // leaving the "data" chunk (writes its size)
    MmioAscendRiff,    // leaving the RIFF chunk (writes its size)
    MmioClose,         // closing the file
};
inline constexpr uint16_t OutputFailureCount = static_cast<uint16_t>(OutputFailure::MmioClose) + 1;

// Implemented by the decoding thread. An output reports each failure once, when it
// happens; after a failure while opening or writing it answers Failed() and takes
// no more audio, while failures in finishing a file are reported and the remaining
// steps still run.
class OutputFailureReport {
public:
    virtual void Report(OutputFailure failure) = 0;
    // A failure with the operating system's reason behind it (an errno value; 0
    // when the system gave none), so that hosts can say why, not only where.
    virtual void ReportWithReason(OutputFailure failure, int systemError) {
        (void)systemError;
        Report(failure);
    }

protected:
    ~OutputFailureReport() = default;
};

}  // namespace aurion
