#include "tools/aurion/DecodeCommand.h"

#include <unistd.h>

#include <chrono>
#include <optional>

#include "host/AurionMembers.h"
#include "host/ControlCaller.h"
#include "host/ControlHost.h"
#include "tools/aurion/FileChecks.h"
#include "tools/aurion/InterruptSignal.h"
#include "tools/aurion/OpenStream.h"
#include "tools/aurion/Problems.h"
#include "tools/aurion/ProgressBar.h"

namespace aurion::host {

namespace {

using platform::Variant;
using platform::VarType;

// How often the loop looks at the interrupt flag while no window event comes.
constexpr std::chrono::milliseconds InterruptPoll{50};
constexpr int UsageStatus = 2;
// The control's text for a WAV file that cannot be created; its other texts of
// number 601 and 609 are steps of writing the file.
constexpr std::string_view CreateFailureText = "mmioOpen() failed";

struct DecodeState {
    bool Ended = false;
    std::optional<ControlError> Failure;  // the first one the worker reported
    int32_t Frame = 0;                    // the last frame reported
    bool LengthKnown = false;
    std::optional<ProgressBar> Progress;
};

// Refuses what would destroy a file: the input as output (by its identity, not its
// spelling), or another existing file without --force. Nothing when the decode may go on.
std::optional<int> RefuseOverwriting(const Command& command) {
    const std::optional<FileIdentity> input = IdentityOf(command.File);
    const std::optional<FileIdentity> output = IdentityOf(command.WavFile);
    if (input && output && input->SameFileAs(*output)) {
        Say(command.WavFile + " is the input file " + command.File +
            " itself; the output may never replace its input");
        return UsageStatus;
    }
    if (output && output->IsFolder) {
        Say(command.WavFile + " is a folder; OUT.wav names the file to write");
        return UsageStatus;
    }
    if (!command.Force && NameTaken(command.WavFile)) {
        Say(command.WavFile + " exists; --force (-f) replaces it");
        return UsageStatus;
    }
    return std::nullopt;
}

// The worker's failure in one line: what the system said about the WAV file when it
// said something, else the control's number and text.
void ReportFailure(const Command& command, const ControlError& failure, const std::string& reason) {
    if (reason.empty()) {
        ReportProblem(command.WavFile, failure);
    } else if (failure.Text == CreateFailureText) {
        Say("cannot create " + command.WavFile + ": " + reason);
    } else {
        Say(InSentence(reason) + " while writing " + command.WavFile);
    }
}

std::optional<ControlError> StartProgress(ControlCaller& control, DecodeState& state) {
    Variant msPerFrame;
    Variant known;
    if (auto error = control.Get(members::MsPerFrame, VarType::R4, msPerFrame)) return error;
    if (auto error = control.CallAs(members::GetLengthKnown, {}, VarType::Bool, known)) {
        return error;
    }
    state.LengthKnown = known.AsBool();
    state.Progress.emplace(stderr, msPerFrame.AsR4(), true);
    return std::nullopt;
}

void ShowProgress(ControlCaller& control, DecodeState& state) {
    if (!state.Progress) return;
    Variant frames;
    if (control.CallAs(members::GetFrameEstimate, {}, VarType::I4, frames)) return;
    state.Progress->Show({state.Frame, frames.AsI4(), !state.LengthKnown});
}

}  // namespace

int RunDecode(const Command& command) {
    if (auto reason = UnreadableReason(command.File)) {
        Say("cannot read " + command.File + ": " + *reason);
        return 1;
    }
    if (auto refused = RefuseOverwriting(command)) return *refused;

    DecodeState state;
    std::optional<ControlCaller> control;
    ControlEvents events;
    events.ActFrame = [&](int32_t frame) {
        state.Frame = frame;
        if (control) ShowProgress(*control, state);
    };
    events.ThreadEnded = [&state] { state.Ended = true; };
    events.Failure = [&state](const ControlError& error) {
        if (!state.Failure) state.Failure = error;
    };

    InterruptSignal interrupt;
    ControlHost host(std::move(events));
    if (auto error = host.Start()) {
        ReportProblem({}, *error);
        return 1;
    }
    control.emplace(host.Control());
    auto fail = [&](std::string_view subject, const ControlError& error) {
        (void)control->Call(members::Close, {});
        ReportProblem(subject, error);
        return 1;
    };
    if (auto error = EnableErrorMode(*control)) return fail({}, *error);
    if (command.ChannelMode) {
        if (auto error = control->Put(members::ChannelMode, Variant(*command.ChannelMode))) {
            return fail({}, *error);
        }
    }
    if (command.NotifyCount) {
        if (auto error = control->Put(members::FrameNotifyCount, Variant(*command.NotifyCount))) {
            return fail({}, *error);
        }
    }
    if (auto error = OpenStream(*control, command.File, command.WavFile)) {
        // The free-space numbers are about the target, everything else about the input.
        const bool aboutTarget = error->Number == 712 || error->Number == 714;
        return fail(aboutTarget ? command.WavFile : command.File, *error);
    }
    if (isatty(STDERR_FILENO)) {
        if (auto error = StartProgress(*control, state)) return fail(command.File, *error);
        ShowProgress(*control, state);
    }
    if (interrupt.Raised()) {
        (void)control->Call(members::Close, {});
        return interrupt.ExitStatus();
    }
    if (auto error = control->CallStatus(members::Play, {})) {
        if (state.Progress) state.Progress->Finish();
        return fail(command.File, *error);
    }

    bool stopRequested = false;
    while (!state.Ended) {
        host.RunEvents(InterruptPoll);
        if (interrupt.Raised() && !stopRequested && !state.Ended) {
            stopRequested = true;
            // Fails only when the worker has just ended on its own; ThreadEnded then follows.
            (void)control->CallStatus(members::Stop, {});
        }
    }
    if (state.Progress) {
        // At the end the length is no longer an estimate: it is what was decoded.
        if (!stopRequested && !state.Failure) {
            state.Progress->Show({state.Frame + 1, state.Frame + 1, false});
        }
        state.Progress->Finish();
    }
    if (state.Failure) {
        Variant reason;
        if (control->CallAs(members::GetFailureReason, {}, VarType::Bstr, reason)) {
            reason = Variant("");
        }
        ReportFailure(command, *state.Failure, reason.AsBstr());
    }
    (void)control->Call(members::Close, {});
    if (stopRequested) return interrupt.ExitStatus();
    return state.Failure ? 1 : 0;
}

}  // namespace aurion::host
