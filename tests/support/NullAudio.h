// Makes the null device the only wave-output device for the life of one test and
// captures what it plays into a file in a fresh temporary folder; restores the
// previous environment after. Like ScopedEnvironment, make it before a test starts
// threads and end it after they end.
//
//     platform::test::NullAudio audio;   // TRACKDECK_AUDIO=null, TRACKDECK_AUDIO_CAPTURE
//     audio.Captured()                    // every sample played so far
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/waveout/WaveOut.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/ScopedVariable.h"

namespace platform::test {

class NullAudio {
public:
    // The null device's volume lives as long as the process: every test starts
    // at full volume, whatever a test before it set.
    NullAudio() { (void)WaveOutSetDeviceVolume(0, 0xFFFFFFFFu); }
    NullAudio(const NullAudio&) = delete;
    NullAudio& operator=(const NullAudio&) = delete;

    [[nodiscard]] std::string CaptureFile() const { return m_environment.Folder() + "capture.raw"; }

    // The samples the null device has played so far (16-bit little-endian in the file).
    [[nodiscard]] std::vector<int16_t> Captured() const {
        std::ifstream file(CaptureFile(), std::ios::binary);
        std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file),
                                         std::istreambuf_iterator<char>()};
        std::vector<int16_t> samples(bytes.size() / 2);
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] = static_cast<int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
        return samples;
    }

    [[nodiscard]] uintmax_t CapturedBytes() const {
        std::error_code error;
        const uintmax_t size = std::filesystem::file_size(CaptureFile(), error);
        return error ? 0 : size;
    }

private:
    ScopedEnvironment m_environment;
    ScopedVariable m_audio{"TRACKDECK_AUDIO", "null"};
    ScopedVariable m_capture{"TRACKDECK_AUDIO_CAPTURE", CaptureFile()};
};

}  // namespace platform::test
