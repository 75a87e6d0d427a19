// Hearing what the wave output played, in tests: for the life of an AudioCapture
// the built-in null device is the only device (TRACKDECK_AUDIO=null) and appends
// every sample it plays to a capture file in a fresh temporary folder
// (TRACKDECK_AUDIO_CAPTURE). It changes the process environment: make it before a
// test starts threads that play, end it after they end.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace aurion::test {

class AudioCapture {
public:
    AudioCapture();
    ~AudioCapture();
    AudioCapture(const AudioCapture&) = delete;
    AudioCapture& operator=(const AudioCapture&) = delete;

    [[nodiscard]] const std::string& Path() const { return m_path; }
    // The samples played so far (16-bit little-endian, channels interleaved).
    [[nodiscard]] std::vector<int16_t> Samples() const;
    [[nodiscard]] uintmax_t Bytes() const;

private:
    std::string m_folder;
    std::string m_path;
    std::optional<std::string> m_savedAudio;
    std::optional<std::string> m_savedCapture;
};

// Copies the first `frames` frames of an MPEG-1 or MPEG-2 Layer III file (no tags,
// no leading data, as the demo stream) to `target`; false when the file has fewer.
bool WriteFirstFrames(const std::string& source, int frames, const std::string& target);

}  // namespace aurion::test
