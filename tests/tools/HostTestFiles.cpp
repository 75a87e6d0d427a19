#include "tests/tools/HostTestFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/support/Conformance.h"

namespace aurion::test {

std::string DemoStream() { return TRACKDECK_SOURCE_DIR "/tools/demo/demo.mp3"; }

std::vector<std::string> ConformanceStreams() {
    std::vector<std::string> names;
    const std::string folder = ConformanceFolder();
    if (folder.empty()) return names;
    std::ifstream manifest(folder + "/manifest.tsv");
    std::string line;
    std::getline(manifest, line);  // the column names
    while (std::getline(manifest, line)) {
        const size_t tab = line.find('\t');
        if (tab != std::string::npos && tab > 0) names.push_back(line.substr(0, tab));
    }
    return names;
}

std::vector<std::string> LayerIIIConformanceStreams() {
    std::vector<std::string> names;
    std::ifstream manifest(ConformanceFolder() + "/manifest.tsv");
    std::string line;
    while (std::getline(manifest, line)) {
        const size_t tab = line.find('\t');
        if (tab != std::string::npos && line.find(" L3 ", tab) != std::string::npos) {
            names.push_back(line.substr(0, tab));
        }
    }
    return names;
}

bool WriteJoined(const std::string& target, const std::vector<uint8_t>& prefix,
                 const std::string& source, int times) {
    std::ifstream in(source, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    if (!in) return false;
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(prefix.data()),
              static_cast<std::streamsize>(prefix.size()));
    const std::string bytes = content.str();
    for (int i = 0; i < times; ++i)
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

void ExpectConsistentWav(const WavFile& wav, int channels, int sampleRate) {
    const uint64_t length = wav.Bytes.size();
    EXPECT_EQ(wav.Riff, "RIFF");
    EXPECT_EQ(wav.Wave, "WAVE");
    EXPECT_EQ(wav.Fmt, "fmt ");
    EXPECT_EQ(wav.Data, "data");
    EXPECT_EQ(wav.RiffSize, length - 8) << "RIFF size against a file of " << length << " bytes";
    EXPECT_EQ(wav.FmtSize, 18u);
    EXPECT_EQ(wav.DataSize, length - 46) << "data size against a file of " << length << " bytes";
    EXPECT_EQ(wav.FormatTag, 1);
    EXPECT_EQ(wav.Channels, channels);
    EXPECT_EQ(wav.SampleRate, static_cast<uint32_t>(sampleRate));
    EXPECT_EQ(wav.BlockAlign, 2 * channels);
    EXPECT_EQ(wav.BytesPerSecond, static_cast<uint32_t>(sampleRate * channels * 2));
    EXPECT_EQ(wav.BitsPerSample, 16);
    EXPECT_EQ(wav.DataSize % static_cast<uint32_t>(2 * channels), 0u);
}

std::vector<int16_t> ChannelOf(const std::vector<int16_t>& interleaved, int first, int channels) {
    std::vector<int16_t> channel;
    const auto step = static_cast<size_t>(channels);
    for (size_t i = 0; i + step <= interleaved.size(); i += step) {
        if (first >= 0) {
            channel.push_back(interleaved[i + static_cast<size_t>(first)]);
        } else {
            channel.push_back(
                static_cast<int16_t>((int32_t{interleaved[i]} + int32_t{interleaved[i + 1]}) / 2));
        }
    }
    return channel;
}

}  // namespace aurion::test
