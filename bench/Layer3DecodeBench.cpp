// Layer III decoding speed as a multiple of real time: a 128 kbit/s joint-stereo
// 44.1 kHz stream (the demo stream, repeated to several minutes) decoded from a
// temporary file through both polyphase filters into a sink that discards.
// The counter "realtime" is seconds of audio decoded per second of CPU time.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "control/decoder/SampleSink.h"
#include "control/decoder/layer3/Layer3Decoder.h"
#include "control/decoder/stream/FrameHeader.h"
#include "control/decoder/stream/FrameStream.h"
#include "control/decoder/synthesis/PolyphaseFilter.h"

namespace {

constexpr double TargetSeconds = 240.0;

class CountingSink : public aurion::SampleSink {
public:
    void Append(int, int16_t sample) override {
        m_sum += sample;
        ++m_samples;
    }
    void WriteBuffer() override {}
    void ClearBuffer() override {}
    void Abort() override {}
    [[nodiscard]] int64_t Samples() const { return m_samples; }
    [[nodiscard]] int64_t Sum() const { return m_sum; }

private:
    int64_t m_sum = 0;
    int64_t m_samples = 0;
};

// The demo stream repeated to about TargetSeconds, written once to a temporary file.
class LongStream {
public:
    LongStream() {
        std::ifstream demo(std::string(TRACKDECK_SOURCE_DIR) + "/tools/demo/demo.mp3",
                           std::ios::binary);
        const std::vector<char> once((std::istreambuf_iterator<char>(demo)),
                                     std::istreambuf_iterator<char>());
        if (once.empty()) {
            return;
        }
        // 128 kbit/s: 16000 bytes per second.
        const size_t copies =
            static_cast<size_t>(TargetSeconds * 16000.0 / static_cast<double>(once.size())) + 1;
        char pattern[] = "/tmp/trackdeck-l3bench-XXXXXX";
        const int fd = mkstemp(pattern);
        if (fd < 0) {
            return;
        }
        bool written = true;
        for (size_t i = 0; i < copies && written; ++i) {
            written = write(fd, once.data(), once.size()) == static_cast<ssize_t>(once.size());
        }
        close(fd);
        if (written) {
            m_path = pattern;
        } else {
            std::remove(pattern);
        }
    }
    ~LongStream() {
        if (!m_path.empty()) {
            std::remove(m_path.c_str());
        }
    }
    LongStream(const LongStream&) = delete;
    LongStream& operator=(const LongStream&) = delete;

    [[nodiscard]] const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

void Layer3DecodeRealTime(benchmark::State& state) {
    static const LongStream stream;
    if (stream.Path().empty()) {
        state.SkipWithError("tools/demo/demo.mp3 not found");
        return;
    }
    double audioSeconds = 0.0;
    for (auto _ : state) {
        aurion::FrameStream file;
        file.Open(stream.Path());
        aurion::FrameHeader header;
        aurion::Crc16* crc = nullptr;
        if (!header.ReadNext(file, crc) || header.Layer() != 3) {
            state.SkipWithError("not a Layer III stream");
            return;
        }
        aurion::PolyphaseFilter left(0, 32768.0f);
        aurion::PolyphaseFilter right(1, 32768.0f);
        CountingSink sink;
        const bool mono = header.Mode() == 3;
        aurion::Layer3Decoder decoder(
            file, header, left, mono ? nullptr : &right, sink,
            mono ? aurion::ChannelChoice::Left : aurion::ChannelChoice::Both);
        do {
            decoder.DecodeFrame(nullptr);
        } while (header.ReadNext(file, crc));
        benchmark::DoNotOptimize(sink.Sum());
        audioSeconds += static_cast<double>(sink.Samples()) / (mono ? 1.0 : 2.0) /
                        static_cast<double>(header.SampleRate());
    }
    state.counters["realtime"] = benchmark::Counter(audioSeconds, benchmark::Counter::kIsRate);
}

}  // namespace

// Measured on CPU time, so that other work on the machine does not count.
BENCHMARK(Layer3DecodeRealTime)->Unit(benchmark::kMillisecond);
