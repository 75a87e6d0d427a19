// The processor time the null wave-output device costs while it plays: 10 s of
// 44.1 kHz stereo in three rotating buffers of about 0.84 s, written and waited for
// the way the control's wave-output sink does. The counter CpuShare is the process's
// processor time divided by the audio's duration (target: well under 0.01).
#include <benchmark/benchmark.h>
#include <time.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <thread>
#include <vector>

#include "platform/waveout/WaveOut.h"

namespace {

constexpr uint32_t BufferBytes = 73'728 * 2;  // 32 frames of 1152 stereo samples
constexpr int BuffersPlayed = 12;             // about 10 s at 44.1 kHz
constexpr auto PollInterval = std::chrono::milliseconds(20);

double ProcessCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void WaitUntilPlayed(platform::WaveOutHandle device, platform::WaveHeader& header) {
    while (platform::WaveOutUnprepareHeader(device, header) == platform::MmResult::StillPlaying)
        std::this_thread::sleep_for(PollInterval);
}

void NullDevicePlaysTenSeconds(benchmark::State& state) {
    setenv("TRACKDECK_AUDIO", "null", 1);
    unsetenv("TRACKDECK_AUDIO_CAPTURE");
    const platform::WaveFormat format;  // 44.1 kHz stereo
    std::array<std::vector<uint8_t>, 3> data;
    for (auto& bytes : data) bytes.assign(BufferBytes, 0x10);
    double cpuShare = 0;
    for (auto _ : state) {
        platform::WaveOutHandle device = nullptr;
        if (platform::WaveOutOpen(device, 0, format) != platform::MmResult::NoError) {
            state.SkipWithError("the null device does not open");
            return;
        }
        std::array<platform::WaveHeader, 3> headers;
        const double cpuBefore = ProcessCpuSeconds();
        for (int i = 0; i < BuffersPlayed; ++i) {
            platform::WaveHeader& header = headers[i % 3];
            WaitUntilPlayed(device, header);
            header.Data = data[i % 3].data();
            header.BufferLength = BufferBytes;
            platform::WaveOutPrepareHeader(device, header);
            platform::WaveOutWrite(device, header);
        }
        for (platform::WaveHeader& header : headers) WaitUntilPlayed(device, header);
        const double audioSeconds =
            static_cast<double>(BufferBytes) * BuffersPlayed / format.AvgBytesPerSec;
        cpuShare = (ProcessCpuSeconds() - cpuBefore) / audioSeconds;
        platform::WaveOutClose(device);
    }
    state.counters["CpuShare"] = cpuShare;
}

BENCHMARK(NullDevicePlaysTenSeconds)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
