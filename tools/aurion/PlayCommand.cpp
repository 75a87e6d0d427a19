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
#include "tools/aurion/InterruptSignal.h"
#include "tools/aurion/OpenStream.h"
#include "tools/aurion/ProgressBar.h"
#include "tools/aurion/RawTerminal.h"

namespace aurion::host {

namespace {

using platform::Variant;
using platform::VarType;

// How often the loop looks at the keys and the interrupt flag between events: on a
// terminal often enough for the keys; otherwise only Ctrl-C is looked for, and a
// slower look keeps the player's own share of a quiet playback small.
constexpr std::chrono::milliseconds KeyPoll{50};
constexpr std::chrono::milliseconds InterruptPoll{200};
// ActFrame cadence on a terminal: about five updates a second at 44.1 kHz.
constexpr int16_t InteractiveNotifyCount = 8;
constexpr int32_t SeekStepMs = 10000;
constexpr int16_t VolumeStep = 5;
constexpr int16_t PlayingPaused = 2;

void Report(const ControlError& error) { std::fprintf(stderr, "%s\n", FormatError(error).c_str()); }

// What one file's session shows and how it ended.
struct Playing {
    std::string Name;
    int32_t Frame = 0;
    int32_t FrameCount = 0;
    float MsPerFrame = 0.0f;
    bool Paused = false;
    bool Ended = false;
    bool Failed = false;
};

class Player {
public:
    Player(const Command& command, InterruptSignal& interrupt, bool interactive)
        : m_command(command), m_interrupt(interrupt), m_interactive(interactive) {}

    int Run();

private:
    // Plays one file; false when its session failed.
    bool PlayFile(const std::string& file);
    bool StartSession(const std::string& file);
    void HandleKeys();
    void Seek(int32_t deltaMs);
    void ChangeVolume(int16_t delta);
    void Stop();
    void Draw();
    void ClearLine();

    const Command& m_command;
    InterruptSignal& m_interrupt;
    bool m_interactive;
    std::optional<RawTerminal> m_terminal;
    std::string m_pendingKeys;
    std::optional<ControlHost> m_host;
    std::optional<ControlCaller> m_control;
    Playing m_playing;
    std::optional<ProgressBar> m_progress;  // on a terminal only
    std::optional<int16_t> m_volume;
    bool m_stopRequested = false;
    bool m_quit = false;
};

int Player::Run() {
    ControlEvents events;
    events.ActFrame = [this](int32_t frame) {
        m_playing.Frame = frame;
        Draw();
    };
    events.ThreadEnded = [this] { m_playing.Ended = true; };
    events.Failure = [this](const ControlError& error) {
        ClearLine();
        Report(error);
        m_playing.Failed = true;
    };
    m_host.emplace(std::move(events));
    if (auto error = m_host->Start()) {
        Report(*error);
        return 1;
    }
    m_control.emplace(m_host->Control());
    if (auto error = EnableErrorMode(*m_control)) {
        Report(*error);
        return 1;
    }
    if (m_command.Device) {
        if (auto error =
                m_control->CallStatus(members::SetOutDevice, {Variant(*m_command.Device)})) {
            Report(*error);
            return 1;
        }
    }
    if (m_command.ChannelMode) {
        if (auto error = m_control->Put(members::ChannelMode, Variant(*m_command.ChannelMode))) {
            Report(*error);
            return 1;
        }
    }
    m_volume = m_command.Volume;
    if (m_interactive) m_terminal.emplace();

    bool anyFailed = false;
    for (const std::string& file : m_command.Files) {
        if (m_quit || m_interrupt.Raised()) break;
        if (!PlayFile(file)) anyFailed = true;
    }
    m_terminal.reset();
    if (m_interrupt.Raised()) return m_interrupt.ExitStatus();
    return anyFailed ? 1 : 0;
}

bool Player::StartSession(const std::string& file) {
    ControlCaller& control = *m_control;
    auto fail = [&](const ControlError& error) {
        (void)control.Call(members::Close, {});
        Report(error);
        return false;
    };
    if (auto error = OpenStream(control, file, "")) return fail(*error);
    if (m_interactive) {
        if (auto error = control.Put(members::FrameNotifyCount, Variant(InteractiveNotifyCount)))
            return fail(*error);
    }
    if (m_command.Speed) {
        if (auto error = control.CallStatus(members::SetSpeed, {Variant(*m_command.Speed)}))
            return fail(*error);
    }
    if (m_volume) {
        if (auto error =
                control.CallStatus(members::SetVolumeP, {Variant(*m_volume), Variant(*m_volume)}))
            return fail(*error);
    } else if (m_interactive) {
        Variant percent;
        if (!control.CallAs(members::GetVolumeLeftP, {}, VarType::I2, percent))
            m_volume = percent.AsI2();
    }
    Variant frames;
    Variant msPerFrame;
    Variant totalMs;
    if (auto error = control.Get(members::FrameCount, VarType::I4, frames)) return fail(*error);
    if (auto error = control.Get(members::MsPerFrame, VarType::R4, msPerFrame)) return fail(*error);
    if (auto error = control.Get(members::TotalTime, VarType::I4, totalMs)) return fail(*error);
    m_playing.FrameCount = frames.AsI4();
    m_playing.MsPerFrame = msPerFrame.AsR4();
    if (m_interactive) m_progress.emplace(stdout, frames.AsI4(), msPerFrame.AsR4(), totalMs.AsI4());
    if (auto error = control.CallStatus(members::Play, {})) return fail(*error);
    return true;
}

bool Player::PlayFile(const std::string& file) {
    m_progress.reset();
    m_playing = Playing{};
    m_playing.Name = std::filesystem::path(file).filename().string();
    m_stopRequested = false;
    if (!StartSession(file)) return false;
    Draw();
    while (!m_playing.Ended) {
        m_host->RunEvents(m_terminal ? KeyPoll : InterruptPoll);
        if (m_interrupt.Raised()) Stop();
        if (m_terminal) HandleKeys();
    }
    if (m_progress && !m_playing.Failed) {
        Draw();  // the file's last line stays on the screen
        std::fputc('\n', stdout);
    }
    (void)m_control->Call(members::Close, {});
    return !m_playing.Failed;
}

void Player::Stop() {
    if (m_stopRequested || m_playing.Ended) return;
    m_stopRequested = true;
    // Fails only when the worker has just ended on its own; ThreadEnded then follows.
    (void)m_control->CallStatus(members::Stop, {});
}

void Player::HandleKeys() {
    m_pendingKeys += m_terminal->ReadPending();
    for (Key key : ParseKeys(m_pendingKeys)) {
        if (m_stopRequested) break;
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

void Player::Seek(int32_t deltaMs) {
    if (m_playing.MsPerFrame <= 0.0f || m_playing.FrameCount <= 0) return;
    const auto delta =
        static_cast<int32_t>(std::lround(static_cast<float>(deltaMs) / m_playing.MsPerFrame));
    const int32_t target = std::clamp(m_playing.Frame + delta, 0, m_playing.FrameCount - 1);
    // A seek still under way answers 654; the key is then simply dropped.
    (void)m_control->CallStatus(members::Seek, {Variant(target)});
}

void Player::ChangeVolume(int16_t delta) {
    const auto volume = static_cast<int16_t>(std::clamp(m_volume.value_or(100) + delta, 0, 100));
    if (!m_control->CallStatus(members::SetVolumeP, {Variant(volume), Variant(volume)}))
        m_volume = volume;
    Draw();
}

void Player::Draw() {
    if (!m_progress) return;
    std::string line = m_playing.Name.substr(0, 32) + "  " + m_progress->Line(m_playing.Frame);
    if (m_volume) line += "  vol " + std::to_string(*m_volume) + "%";
    if (m_playing.Paused) line += "  paused";
    std::fprintf(stdout, "\r%s\x1b[K", line.c_str());
    std::fflush(stdout);
}

void Player::ClearLine() {
    if (!m_progress) return;
    std::fputs("\r\x1b[K", stdout);
    std::fflush(stdout);
}

}  // namespace

int RunPlay(const Command& command) {
    InterruptSignal interrupt;
    const bool interactive = isatty(STDIN_FILENO) != 0 && isatty(STDOUT_FILENO) != 0;
    Player player(command, interrupt, interactive);
    return player.Run();
}

}  // namespace aurion::host
