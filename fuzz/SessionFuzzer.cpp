// The control's session paths on arbitrary files: Open with a WAV target, then
// Play, ranges, seeks, pauses and stops as the input says, on the control's own
// decoding thread, with the control's messages let run until the session ends.
// Every session must end, and the WAV file it leaves must be whole: its RIFF and
// data sizes agree with its length, and the data holds whole sample frames. Slower
// than the decoding targets (a thread and a file per run); they fuzz the decoder.
//
// Input: byte 0 the channel mode and the number of steps, then steps of three bytes
// (an operation and a 16-bit value), then the file.
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <vector>

#include "control/player/AurionCtrl.h"
#include "fuzz/CheckingSink.h"
#include "fuzz/FuzzInputFile.h"
#include "host/HostSite.h"
#include "platform/window/MessageWindow.h"

namespace {

using aurion::AurionCtrl;
using aurion::fuzz::Fail;

// Far beyond the time a session of a few KiB needs, even under the sanitizers.
constexpr auto SessionLimit = std::chrono::seconds(20);
constexpr size_t StepBytes = 3;
constexpr size_t MaxSteps = 8;

enum class Operation : uint8_t { Play, PlayFromTo, Seek, Pause, Stop, NotifyCount, Count };

struct Control {
    Control() : Ctrl(AurionCtrl::Create()), Site(new aurion::host::HostSite({})) {
        Ctrl->SetClientSite(Site);
        if (Ctrl->Activate() != platform::S_OK) Fail("the control does not activate");
    }
    ~Control() {
        Ctrl->Deactivate();
        Ctrl->SetClientSite(nullptr);
        Ctrl->Release();
        Site->Release();
    }
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    AurionCtrl* Ctrl;
    aurion::host::HostSite* Site;
};

void Apply(AurionCtrl& ctrl, Operation operation, int32_t value) {
    const int32_t frames = ctrl.GetFrameCount();
    switch (operation) {
        case Operation::Play:
            ctrl.Play();
            break;
        case Operation::PlayFromTo: {
            const int32_t from = frames > 0 ? value % frames : value;
            ctrl.PlayFromTo(from, from + (value >> 8));
            break;
        }
        case Operation::Seek:
            ctrl.Seek(frames > 0 ? value % (frames + 4) : value);
            break;
        case Operation::Pause:
            ctrl.Pause();
            break;
        case Operation::Stop:
            ctrl.Stop();
            break;
        case Operation::NotifyCount:
            ctrl.SetFrameNotifyCount(static_cast<int16_t>(value % 40 - 2));
            break;
        case Operation::Count:
            break;
    }
}

// Lets the control's messages run until its session has ended.
void PumpUntilEnded(AurionCtrl& ctrl) {
    const auto deadline = std::chrono::steady_clock::now() + SessionLimit;
    while (ctrl.Session() != nullptr) {
        if (std::chrono::steady_clock::now() > deadline) Fail("a session that never ended");
        platform::WaitAndPumpMessages(std::chrono::milliseconds(10));
    }
}

uint32_t Le32(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t{bytes[at + 3]} << 24;
}

// The control writes a 46-byte header (an 18-byte format chunk) before the data.
void CheckWav(const std::vector<uint8_t>& wav) {
    constexpr size_t HeaderBytes = 46;
    if (wav.empty()) return;  // the output could not be made; the control reported it
    if (wav.size() < HeaderBytes) Fail("a WAV file shorter than its header");
    if (Le32(wav, 4) != wav.size() - 8) Fail("a RIFF size that is not the file's");
    if (Le32(wav, 42) != wav.size() - HeaderBytes) Fail("a data size that is not the file's");
    const uint32_t blockAlign = wav[32] | wav[33] << 8;
    if (blockAlign == 0 || (wav.size() - HeaderBytes) % blockAlign != 0)
        Fail("data that is no whole number of sample frames");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("TRACKDECK_AUDIO", "null", 1);  // never reach for a sound device
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const aurion::fuzz::FuzzInputFile mp3(".mp3");
    static const aurion::fuzz::FuzzInputFile wav(".wav");
    if (size < 1) return 0;
    const size_t steps = std::min<size_t>(data[0] >> 2, MaxSteps);
    const size_t fileStart = 1 + steps * StepBytes;
    if (size < fileStart || !mp3.Write(std::span(data + fileStart, size - fileStart))) return 0;
    std::remove(wav.Path().c_str());

    Control control;
    AurionCtrl& ctrl = *control.Ctrl;
    ctrl.SetChannelMode(static_cast<int16_t>(data[0] & 3));
    if (ctrl.Open(mp3.Path(), wav.Path()) != 0) return 0;
    for (size_t step = 0; step < steps; ++step) {
        const uint8_t* at = data + 1 + step * StepBytes;
        const auto operation =
            static_cast<Operation>(at[0] % static_cast<uint8_t>(Operation::Count));
        Apply(ctrl, operation, at[1] | at[2] << 8);
        platform::PumpMessages();
    }
    // Whatever the steps left: a session never started plays, a paused one goes on.
    if (ctrl.Session() != nullptr) ctrl.Play();
    PumpUntilEnded(ctrl);
    CheckWav(wav.Read());
    return 0;
}
