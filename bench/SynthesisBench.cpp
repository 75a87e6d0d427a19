// Blocks per second of the two transforms at the end of the decoder: the
// polyphase synthesis filter (one granule of 18 blocks per iteration) and the
// Layer III inverse MDCT (one subband of 18 lines per iteration).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>

#include "control/decoder/SampleSink.h"
#include "control/decoder/layer3/InverseMdct.h"
#include "control/decoder/synthesis/PolyphaseFilter.h"

namespace {

class DiscardingSink : public aurion::SampleSink {
public:
    void Append(int, int16_t sample) override { m_sum += sample; }
    void WriteBuffer() override {}
    void ClearBuffer() override {}
    void Abort() override {}
    [[nodiscard]] int64_t Sum() const { return m_sum; }

private:
    int64_t m_sum = 0;
};

void PolyphaseFilterBlocks(benchmark::State& state) {
    aurion::PolyphaseFilter filter(0, 32768.0f);
    DiscardingSink sink;
    std::mt19937 random(1);
    std::uniform_real_distribution<float> value(-0.1f, 0.1f);
    // Four granules of 18 blocks, laid out as Layer III hands them over: subband
    // sb's 18 samples side by side.
    constexpr size_t kBlocks = 18;
    float granules[4][32 * kBlocks];
    for (auto& granule : granules) {
        for (float& x : granule) {
            x = value(random);
        }
    }
    size_t n = 0;
    for (auto _ : state) {
        filter.Synthesize(granules[n++ & 3], kBlocks, kBlocks, sink);
    }
    benchmark::DoNotOptimize(sink.Sum());
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kBlocks));
    state.SetLabel("items = 32-sample blocks");
}
BENCHMARK(PolyphaseFilterBlocks);

void InverseMdctBlocks(benchmark::State& state) {
    const auto blockType = static_cast<uint32_t>(state.range(0));
    std::mt19937 random(2);
    std::uniform_real_distribution<float> value(-1.0f, 1.0f);
    float lines[32][18];
    for (auto& subband : lines) {
        for (float& x : subband) {
            x = value(random);
        }
    }
    float output[36];
    size_t n = 0;
    for (auto _ : state) {
        aurion::InverseMdct(lines[n++ & 31], output, blockType);
        benchmark::DoNotOptimize(output);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("items = 18-line subbands");
}
BENCHMARK(InverseMdctBlocks)->Arg(0)->Arg(1)->Arg(2)->Arg(3);

}  // namespace

BENCHMARK_MAIN();
