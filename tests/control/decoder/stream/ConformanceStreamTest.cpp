#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "control/decoder/stream/FrameHeader.h"
#include "control/decoder/stream/FrameStream.h"

namespace aurion {
namespace {

const std::string ConformanceDir = TRACKDECK_SOURCE_DIR "/../shared/conformance";

struct ManifestEntry {
    std::string Name;
    std::string Description;  // "MPEG-1 L2 44100Hz 192kbps stereo ext=0 crc=yes"
    uint64_t ExpectedSamples = 0;
};

std::vector<ManifestEntry> ReadManifest() {
    std::vector<ManifestEntry> entries;
    std::ifstream manifest(ConformanceDir + "/manifest.tsv");
    std::string line;
    std::getline(manifest, line);  // column names
    while (std::getline(manifest, line)) {
        std::istringstream fields(line);
        ManifestEntry entry;
        std::string samples;
        if (std::getline(fields, entry.Name, '\t') &&
            std::getline(fields, entry.Description, '\t') && std::getline(fields, samples)) {
            entry.ExpectedSamples = std::stoull(samples);
            entries.push_back(entry);
        }
    }
    return entries;
}

uint32_t ModeOf(const std::string& word) {
    if (word == "stereo") return 0;
    if (word == "joint") return 1;
    if (word == "dual") return 2;
    return 3;
}

TEST(ConformanceStreams, FirstHeaderAndFrameCountMatchManifest) {
    const std::vector<ManifestEntry> entries = ReadManifest();
    if (entries.empty()) {
        GTEST_SKIP() << "no conformance streams at " << ConformanceDir;
    }
    for (const ManifestEntry& entry : entries) {
        SCOPED_TRACE(entry.Name + ": " + entry.Description);
        std::istringstream words(entry.Description);
        std::string version, layer, frequency, bitrate, mode, extension, crc;
        words >> version >> layer >> frequency >> bitrate >> mode >> extension >> crc;

        const std::string path = ConformanceDir + "/" + entry.Name + ".bit";
        FrameStream stream;
        FrameHeader header;
        stream.Open(path);
        Crc16* checksum = nullptr;
        ASSERT_TRUE(header.ReadNext(stream, checksum));
        EXPECT_EQ(stream.FirstFrameOffset(), 0u);
        EXPECT_EQ(header.Version(), version == "MPEG-1" ? 1u : 0u);
        EXPECT_EQ("L" + std::to_string(header.Layer()), layer);
        EXPECT_EQ(std::to_string(header.SampleRate()) + "Hz", frequency);
        EXPECT_EQ(std::to_string(header.Bitrate() / 1000) + "kbps", bitrate);
        EXPECT_EQ(header.Mode(), ModeOf(mode));
        EXPECT_EQ("ext=" + std::to_string(header.ModeExtension()), extension);
        EXPECT_EQ(crc == "crc=yes", checksum != nullptr);

        const uint64_t channels = header.Mode() == 3 ? 1 : 2;
        const uint64_t samplesPerFrame =
            header.Layer() == 1 ? 384 : (header.Layer() == 3 && header.Version() == 0 ? 576 : 1152);
        uint64_t frames = 1;
        uint64_t endOfLastFrame = stream.Position();
        while (header.ReadNext(stream, checksum)) {
            ++frames;
            endOfLastFrame = stream.Position();
            ASSERT_LE(header.BodySize(), FrameStream::BufferBytes);
        }
        const uint64_t samples = frames * samplesPerFrame * channels;
        if (endOfLastFrame == std::filesystem::file_size(path)) {
            EXPECT_EQ(stream.CurrentFrame(), static_cast<int32_t>(frames - 1));
            EXPECT_EQ(samples, entry.ExpectedSamples);
        } else {
            // A cut last frame is not delivered.
            EXPECT_LE(samples, entry.ExpectedSamples);
            EXPECT_GE(samples + samplesPerFrame * channels, entry.ExpectedSamples);
        }
    }
}

}  // namespace
}  // namespace aurion
