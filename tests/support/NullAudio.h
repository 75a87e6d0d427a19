// Makes the null device the only wave-output device for the life of one test and
// captures what it plays into a file in a fresh temporary folder; restores the
// previous environment after. Like ScopedEnvironment, make it before a test starts
// threads and end it after they end.
//
//     platform::test::NullAudio audio;   // TRACKDECK_AUDIO=null, TRACKDECK_AUDIO_CAPTURE
//     audio.Captured()                    // every sample played so far
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/ScopedEnvironment.h"

namespace platform::test {

class NullAudio {
public:
    NullAudio() {
        Save("TRACKDECK_AUDIO", m_savedAudio);
        Save("TRACKDECK_AUDIO_CAPTURE", m_savedCapture);
        setenv("TRACKDECK_AUDIO", "null", 1);
        setenv("TRACKDECK_AUDIO_CAPTURE", CaptureFile().c_str(), 1);
    }
    ~NullAudio() {
        Restore("TRACKDECK_AUDIO", m_savedAudio);
        Restore("TRACKDECK_AUDIO_CAPTURE", m_savedCapture);
    }
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
    static void Save(const char* name, std::optional<std::string>& slot) {
        if (const char* value = std::getenv(name)) slot = value;
    }
    static void Restore(const char* name, const std::optional<std::string>& slot) {
        if (slot)
            setenv(name, slot->c_str(), 1);
        else
            unsetenv(name);
    }

    ScopedEnvironment m_environment;
    std::optional<std::string> m_savedAudio;
    std::optional<std::string> m_savedCapture;
};

}  // namespace platform::test
