#include "tests/support/AudioCapture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace aurion::test {

namespace {

std::optional<std::string> Saved(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

void Restore(const char* name, const std::optional<std::string>& value) {
    if (value) {
        setenv(name, value->c_str(), 1);
    } else {
        unsetenv(name);
    }
}

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Layer III bit rates in kbit/s by version (0 LSF, 1 MPEG-1) and index
// (ISO/IEC 11172-3 and 13818-3).
constexpr int LayerIIIKbps[2][16] = {
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}};
constexpr int Mpeg1Rates[3] = {44100, 48000, 32000};

}  // namespace

AudioCapture::AudioCapture()
    : m_savedAudio(Saved("TRACKDECK_AUDIO")), m_savedCapture(Saved("TRACKDECK_AUDIO_CAPTURE")) {
    std::error_code ignored;
    std::string pattern =
        (std::filesystem::temp_directory_path(ignored) / "trackdeck-audio-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) != nullptr) m_folder = buffer.data();
    m_path = m_folder + "/capture.raw";
    setenv("TRACKDECK_AUDIO", "null", 1);
    setenv("TRACKDECK_AUDIO_CAPTURE", m_path.c_str(), 1);
}

AudioCapture::~AudioCapture() {
    Restore("TRACKDECK_AUDIO", m_savedAudio);
    Restore("TRACKDECK_AUDIO_CAPTURE", m_savedCapture);
    std::error_code ignored;
    if (!m_folder.empty()) std::filesystem::remove_all(m_folder, ignored);
}

std::vector<int16_t> AudioCapture::Samples() const {
    const std::vector<uint8_t> bytes = ReadAll(m_path);
    std::vector<int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    }
    return samples;
}

uintmax_t AudioCapture::Bytes() const {
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(m_path, error);
    return error ? 0 : size;
}

bool WriteFirstFrames(const std::string& source, int frames, const std::string& target) {
    const std::vector<uint8_t> bytes = ReadAll(source);
    size_t at = 0;
    for (int f = 0; f < frames; ++f) {
        if (at + 4 > bytes.size() || bytes[at] != 0xFF || (bytes[at + 1] & 0xE0) != 0xE0)
            return false;
        const int version = (bytes[at + 1] >> 3) & 1;
        const int kbps = LayerIIIKbps[version][bytes[at + 2] >> 4];
        const int rateIndex = (bytes[at + 2] >> 2) & 3;
        if (kbps == 0 || rateIndex == 3) return false;
        const int rate = Mpeg1Rates[rateIndex] / (version == 1 ? 1 : 2);
        const int padding = (bytes[at + 2] >> 1) & 1;
        at += static_cast<size_t>((version == 1 ? 144 : 72) * kbps * 1000 / rate + padding);
    }
    if (at > bytes.size()) return false;
    std::ofstream out(target, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(at));
    return static_cast<bool>(out);
}

}  // namespace aurion::test
