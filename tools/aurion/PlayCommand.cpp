#include "tools/aurion/PlayCommand.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "host/AurionMembers.h"
#include "host/ControlCaller.h"
#include "host/ControlHost.h"
#include "tools/aurion/FileChecks.h"
#include "tools/aurion/InterruptSignal.h"
#include "tools/aurion/OpenStream.h"
#include "tools/aurion/Problems.h"
#include "tools/aurion/ProgressBar.h"
#include "tools/aurion/RawTerminal.h"

namespace aurion::host {

namespace {

using platform::Variant;
using platform::VarType;

// How often the loop looks at what is heard, the keys and the interrupt flag
// between events: on a terminal often enough for the bar and the keys; otherwise
// only Ctrl-C is looked for, and a slower look keeps the player's own share of a
// quiet playback small.
constexpr std::chrono::milliseconds ScreenPoll{50};
constexpr std::chrono::milliseconds InterruptPoll{200};
constexpr int32_t SeekStepMs = 10000;
constexpr int16_t VolumeStep = 5;
constexpr int16_t PlayingPaused = 2;
constexpr size_t ShownNameLength = 32;

// What one file's session shows and how it ended.
struct Playing {
    std::string File;  // as given
    bool Opened = false;
    int32_t Frame = 0;   // the frame last decoded (ActFrame)
    int32_t Heard = 0;   // the frame the device is playing
    int32_t Frames = 0;  // the stream's frames, or their estimate
    bool LengthKnown = false;
    float MsPerFrame = 0.0f;
    bool Paused = false;
    bool Ended = false;
    bool Failed = false;
    bool Stopped = false;

    [[nodiscard]] bool PlayedToTheEnd() const { return Ended && !Failed && !Stopped; }
};

class Player {
public:
    Player(const Command& command, InterruptSignal& interrupt, bool onTerminal, bool keys)
        : m_command(command), m_interrupt(interrupt), m_onTerminal(onTerminal), m_keys(keys) {}

    int Run();

private:
    // Plays one file; false when it failed.
    bool PlayFile(const std::string& file);
    bool StartSession();
    void Follow();
    void HandleKeys();
    void Seek(int32_t deltaMs);
    void ChangeVolume(int16_t delta);
    void Stop();
    void Draw();
    void ClearLine();
    // Without a terminal: the file's name, its length and how it ended.
    void PrintResult();
    [[nodiscard]] ProgressFigures Figures() const;
    [[nodiscard]] std::optional<ControlError> ApplyOptions();

    const Command& m_command;
    InterruptSignal& m_interrupt;
    bool m_onTerminal;
    bool m_keys;
    std::optional<RawTerminal> m_terminal;
    std::string m_pendingKeys;
    std::optional<ControlHost> m_host;
    std::optional<ControlCaller> m_control;
    Playing m_playing;
    std::optional<ProgressBar> m_progress;  // on a terminal only
    std::optional<int16_t> m_volume;
    bool m_quit = false;
};

std::optional<ControlError> Player::ApplyOptions() {
    ControlCaller& control = *m_control;
    if (auto error = EnableErrorMode(control)) return error;
    if (m_command.Device) {
        if (auto error = control.CallStatus(members::SetOutDevice, {Variant(*m_command.Device)}))
            return error;
    }
    if (m_command.ChannelMode) {
        if (auto error = control.Put(members::ChannelMode, Variant(*m_command.ChannelMode)))
            return error;
    }
    return std::nullopt;
}

int Player::Run() {
    ControlEvents events;
    events.ActFrame = [this](int32_t frame) { m_playing.Frame = frame; };
    events.ThreadEnded = [this] { m_playing.Ended = true; };
    events.Failure = [this](const ControlError& error) {
        ClearLine();
        ReportProblem(m_playing.File, error);
        m_playing.Failed = true;
    };
    m_host.emplace(std::move(events));
    if (auto error = m_host->Start()) {
        ReportProblem({}, *error);
        return 1;
    }
    m_control.emplace(m_host->Control());
    if (auto error = ApplyOptions()) {
        const std::string device =
            error->Number == 713 ? "device " + std::to_string(*m_command.Device) : "";
        ReportProblem(device, *error);
        return 1;
    }
    m_volume = m_command.Volume;
    if (m_keys) m_terminal.emplace();

    bool anyFailed = false;
    for (const std::string& file : m_command.Files) {
        if (m_quit || m_interrupt.Raised()) break;
        if (!PlayFile(file)) anyFailed = true;
    }
    m_terminal.reset();
    if (m_interrupt.Raised()) return m_interrupt.ExitStatus();
    return anyFailed ? 1 : 0;
}

bool Player::StartSession() {
    ControlCaller& control = *m_control;
    auto fail = [&](const ControlError& error) {
        (void)control.Call(members::Close, {});
        ReportProblem(m_playing.File, error);
        return false;
    };
    if (auto reason = UnreadableReason(m_playing.File)) {
        Say("cannot read " + m_playing.File + ": " + *reason);
        return false;
    }
    if (auto error = OpenStream(control, m_playing.File, "")) return fail(*error);
    m_playing.Opened = true;
    if (m_command.Speed) {
        if (auto error = control.CallStatus(members::SetSpeed, {Variant(*m_command.Speed)}))
            return fail(*error);
    }
    if (m_volume) {
        if (auto error =
                control.CallStatus(members::SetVolumeP, {Variant(*m_volume), Variant(*m_volume)}))
            return fail(*error);
    } else if (m_keys) {
        Variant percent;
        if (!control.CallAs(members::GetVolumeLeftP, {}, VarType::I2, percent))
            m_volume = percent.AsI2();
    }
    Variant frames;
    Variant msPerFrame;
    Variant known;
    if (auto error = control.Get(members::FrameCount, VarType::I4, frames)) return fail(*error);
    if (auto error = control.Get(members::MsPerFrame, VarType::R4, msPerFrame)) return fail(*error);
    if (auto error = control.CallAs(members::GetLengthKnown, {}, VarType::Bool, known))
        return fail(*error);
    m_playing.Frames = frames.AsI4();
    m_playing.MsPerFrame = msPerFrame.AsR4();
    m_playing.LengthKnown = known.AsBool();
    if (m_onTerminal) m_progress.emplace(stdout, m_playing.MsPerFrame, false);
    if (auto error = control.CallStatus(members::Play, {})) return fail(*error);
    return true;
}

bool Player::PlayFile(const std::string& file) {
    m_progress.reset();
    m_playing = Playing{};
    m_playing.File = file;
    if (!StartSession()) {
        m_playing.Failed = true;
        PrintResult();
        return false;
    }
    Draw();
    while (!m_playing.Ended) {
        m_host->RunEvents(m_progress ? ScreenPoll : InterruptPoll);
        if (m_interrupt.Raised()) Stop();
        if (m_terminal) HandleKeys();
        // After ThreadEnded the session is gone, and with it what it could tell.
        if (!m_playing.Ended) Follow();
    }
    if (m_playing.PlayedToTheEnd()) {
        // The end is reached: the length is what was played, no longer an estimate.
        m_playing.Frames = m_playing.Frame + 1;
        m_playing.Heard = m_playing.Frames;
        m_playing.LengthKnown = true;
    }
    if (m_progress && !m_playing.Failed) {
        Draw();  // the file's last line stays on the screen
        std::fputc('\n', stdout);
    }
    (void)m_control->Call(members::Close, {});
    PrintResult();
    return !m_playing.Failed;
}

// What the device has played and the length as the stream read so far suggests.
void Player::Follow() {
    Variant heard;
    Variant frames;
    if (!m_control->CallAs(members::GetPlayedFrame, {}, VarType::I4, heard))
        m_playing.Heard = heard.AsI4();
    if (!m_control->CallAs(members::GetFrameEstimate, {}, VarType::I4, frames))
        m_playing.Frames = frames.AsI4();
    Draw();
}

void Player::Stop() {
    if (m_playing.Stopped || m_playing.Ended) return;
    m_playing.Stopped = true;
    // Fails only when the worker has just ended on its own; ThreadEnded then follows.
    (void)m_control->CallStatus(members::Stop, {});
}

void Player::HandleKeys() {
    m_pendingKeys += m_terminal->ReadPending();
    for (Key key : ParseKeys(m_pendingKeys)) {
        if (m_playing.Stopped) break;
        switch (key) {
            case Key::Space: {
                (void)m_control->CallStatus(members::Pause, {});
                Variant status;
                if (!m_control->CallAs(members::GetStatus, {}, VarType::I2, status))
                    m_playing.Paused = status.AsI2() == PlayingPaused;
                Draw();
                break;
            }
            case Key::Left:
                Seek(-SeekStepMs);
                break;
            case Key::Right:
                Seek(SeekStepMs);
                break;
            case Key::Plus:
                ChangeVolume(VolumeStep);
                break;
            case Key::Minus:
                ChangeVolume(-VolumeStep);
                break;
            case Key::Next:
                Stop();
                break;
            case Key::Quit:
                m_quit = true;
                Stop();
                break;
            case Key::Other:
                break;
        }
    }
}

// From what is heard, not from the frame being decoded ahead of it.
void Player::Seek(int32_t deltaMs) {
    Variant frameCount;
    if (m_playing.MsPerFrame <= 0.0f ||
        m_control->Get(members::FrameCount, VarType::I4, frameCount) || frameCount.AsI4() <= 0)
        return;
    const auto delta =
        static_cast<int32_t>(std::lround(static_cast<float>(deltaMs) / m_playing.MsPerFrame));
    const int32_t target = std::clamp(m_playing.Heard + delta, 0, frameCount.AsI4() - 1);
    // A seek still under way answers 654; the key is then simply dropped.
    if (!m_control->CallStatus(members::Seek, {Variant(target)})) m_playing.Heard = target;
    Draw();
}

void Player::ChangeVolume(int16_t delta) {
    const auto volume = static_cast<int16_t>(std::clamp(m_volume.value_or(100) + delta, 0, 100));
    if (!m_control->CallStatus(members::SetVolumeP, {Variant(volume), Variant(volume)}))
        m_volume = volume;
    Draw();
}

ProgressFigures Player::Figures() const {
    return {m_playing.Heard, m_playing.Frames, !m_playing.LengthKnown};
}

void Player::Draw() {
    if (!m_progress) return;
    const std::string name = std::filesystem::path(m_playing.File).filename().string();
    std::string line = name.substr(0, ShownNameLength) + "  " + m_progress->Line(Figures());
    if (m_keys && m_volume) line += "  vol " + std::to_string(*m_volume) + "%";
    if (m_playing.Paused) line += "  paused";
    std::fprintf(stdout, "\r%s\x1b[K", line.c_str());
    std::fflush(stdout);
}

void Player::ClearLine() {
    if (!m_progress) return;
    std::fputs("\r\x1b[K", stdout);
    std::fflush(stdout);
}

void Player::PrintResult() {
    if (m_onTerminal) return;
    std::string length = "-";
    if (m_playing.Opened) {
        length =
            ProgressBar::LengthText(m_playing.Frames, m_playing.MsPerFrame, !m_playing.LengthKnown);
    }
    const char* result = m_playing.Failed ? "failed" : m_playing.Stopped ? "stopped" : "played";
    std::printf("%s  %s  %s\n", m_playing.File.c_str(), length.c_str(), result);
    std::fflush(stdout);
}

}  // namespace

int RunPlay(const Command& command) {
    InterruptSignal interrupt;
    const bool onTerminal = isatty(STDOUT_FILENO) != 0;
    const bool keys = onTerminal && isatty(STDIN_FILENO) != 0;
    Player player(command, interrupt, onTerminal, keys);
    return player.Run();
}

}  // namespace aurion::host
