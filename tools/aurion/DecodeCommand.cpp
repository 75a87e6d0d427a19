#include "tools/aurion/DecodeCommand.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <optional>

#include "host/AurionMembers.h"
#include "host/ControlCaller.h"
#include "host/ControlHost.h"
#include "tools/aurion/InterruptSignal.h"
#include "tools/aurion/OpenStream.h"
#include "tools/aurion/ProgressBar.h"

namespace aurion::host {

namespace {

using platform::Variant;
using platform::VarType;

// How often the loop looks at the interrupt flag while no window event comes.
constexpr std::chrono::milliseconds InterruptPoll{50};

void Report(const ControlError& error) { std::fprintf(stderr, "%s\n", FormatError(error).c_str()); }

struct DecodeState {
    bool Ended = false;
    bool Failed = false;
    std::optional<ProgressBar> Progress;
};

std::optional<ControlError> StartProgress(ControlCaller& control, DecodeState& state) {
    Variant frames;
    Variant msPerFrame;
    Variant totalMs;
    if (auto error = control.Get(members::FrameCount, VarType::I4, frames)) return error;
    if (auto error = control.Get(members::MsPerFrame, VarType::R4, msPerFrame)) return error;
    if (auto error = control.Get(members::TotalTime, VarType::I4, totalMs)) return error;
    state.Progress.emplace(stderr, frames.AsI4(), msPerFrame.AsR4(), totalMs.AsI4());
    state.Progress->Show(0);
    return std::nullopt;
}

}  // namespace

int RunDecode(const Command& command) {
    DecodeState state;
    ControlEvents events;
    events.ActFrame = [&state](int32_t frame) {
        if (state.Progress) state.Progress->Show(frame);
    };
    events.ThreadEnded = [&state] { state.Ended = true; };
    events.Failure = [&state](const ControlError& error) {
        if (state.Progress) state.Progress->Finish();
        Report(error);
        state.Failed = true;
    };

    InterruptSignal interrupt;
    ControlHost host(std::move(events));
    if (auto error = host.Start()) {
        Report(*error);
        return 1;
    }
    ControlCaller control(host.Control());
    auto fail = [&control](const ControlError& error) {
        (void)control.Call(members::Close, {});
        Report(error);
        return 1;
    };
    if (auto error = EnableErrorMode(control)) return fail(*error);
    if (command.ChannelMode) {
        if (auto error = control.Put(members::ChannelMode, Variant(*command.ChannelMode))) {
            return fail(*error);
        }
    }
    if (command.NotifyCount) {
        if (auto error = control.Put(members::FrameNotifyCount, Variant(*command.NotifyCount))) {
            return fail(*error);
        }
    }
    if (auto error = OpenStream(control, command.File, command.WavFile)) return fail(*error);
    if (isatty(STDERR_FILENO)) {
        if (auto error = StartProgress(control, state)) return fail(*error);
    }
    if (interrupt.Raised()) {
        (void)control.Call(members::Close, {});
        return interrupt.ExitStatus();
    }
    if (auto error = control.CallStatus(members::Play, {})) {
        if (state.Progress) state.Progress->Finish();
        return fail(*error);
    }

    bool stopRequested = false;
    while (!state.Ended) {
        host.RunEvents(InterruptPoll);
        if (interrupt.Raised() && !stopRequested && !state.Ended) {
            stopRequested = true;
            // Fails only when the worker has just ended on its own; ThreadEnded then follows.
            (void)control.CallStatus(members::Stop, {});
        }
    }
    if (state.Progress) {
        if (!stopRequested && !state.Failed) state.Progress->Complete();
        state.Progress->Finish();
    }
    (void)control.Call(members::Close, {});
    if (stopRequested) return interrupt.ExitStatus();
    return state.Failed ? 1 : 0;
}

}  // namespace aurion::host
