// Random, seeded sequences of everything a host may do to the control while a
// session runs: Open (null device or WAV target), Play, Pause, Seek, PlayFromTo,
// SetSpeed, the volume calls, FrameNotifyCount writes, Stop, Close and destroying
// the control, with the host's message pump let run in between or held back for a
// while. Every session that was started must end with exactly one ThreadEnded,
// nothing may deadlock (a watchdog aborts the run), and under ThreadSanitizer
// nothing may race.
//
// TRACKDECK_STRESS_SEED picks the sequence (default fixed, so CI repeats it) and
// TRACKDECK_STRESS_SECONDS its length (default 3).
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>

#include "platform/thread/Thread.h"
#include "tests/support/ControlTestHost.h"
#include "tests/support/NullAudio.h"
#include "tests/support/StreamCut.h"

namespace aurion {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr uint32_t DefaultSeed = 17;
constexpr int DefaultSeconds = 3;
// How long a stopped or closed session may take to report its end.
constexpr auto EndLimit = 60s;

uint64_t EnvironmentNumber(const char* name, uint64_t fallback) {
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0') return fallback;
    return std::strtoull(text, nullptr, 10);
}

// Aborts the process when the run is not over by its deadline: a deadlock would
// otherwise hang the whole test program.
class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit)
        : m_thread([this, limit] {
              std::unique_lock lock(m_mutex);
              if (!m_done.wait_for(lock, limit, [this] { return m_finished; })) {
                  std::fprintf(stderr, "session stress: no progress for %llds, deadlock\n",
                               static_cast<long long>(limit.count()));
                  std::abort();
              }
          }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_done.notify_one();
        m_thread.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    std::thread m_thread;  // last: starts once the rest is made
};

// One control's life in the stress run, with what the host has seen of its sessions.
struct ControlLife {
    test::ControlTestHost Host;
    int Started = 0;       // sessions a Play or PlayFromTo started
    bool Running = false;  // a started session has not reported its end yet
    int32_t Frames = 0;    // FrameCount of the open file

    // Lets the control's events run once and keeps the model in step with them.
    void Pump() {
        Host.Pump();
        Observe();
    }
    void Observe() {
        const int ended = Host.ThreadEndedCount();
        ASSERT_LE(ended, Started) << "a ThreadEnded without a session";
        if (ended == Started) Running = false;
    }
    // A call that starts a session when it succeeds on an open, idle control.
    void Starting(int16_t answer) {
        if (answer == 0 && !Running) {
            ++Started;
            Running = true;
        }
    }
    // Ends what runs and waits for every ThreadEnded.
    void Finish() {
        Host.Call("Close");
        EXPECT_TRUE(Host.PumpUntil([this] { return Host.ThreadEndedCount() >= Started; }, EndLimit))
            << Started << " sessions started, " << Host.ThreadEndedCount() << " ended";
        Host.Pump();
        EXPECT_EQ(Host.ThreadEndedCount(), Started);
    }
};

class SessionStress : public ::testing::Test {
protected:
    void SetUp() override {
        m_seed = static_cast<uint32_t>(EnvironmentNumber("TRACKDECK_STRESS_SEED", DefaultSeed));
        m_seconds = static_cast<int>(EnvironmentNumber("TRACKDECK_STRESS_SECONDS", DefaultSeconds));
        m_cut = m_files.Folder() + "cut.mp3";
        ASSERT_TRUE(test::WriteFirstFrames(TRACKDECK_SOURCE_DIR "/tools/demo/demo.mp3", 40, m_cut));
    }

    [[nodiscard]] std::string PickFile(std::mt19937& random) const {
        switch (random() % 4) {
            case 0:
                return TRACKDECK_SOURCE_DIR "/tests/data/vbr/v2-mono.mp3";
            case 1:
                return TRACKDECK_SOURCE_DIR "/tests/data/layer2-lsf/lsf22-joint.mp2";
            case 2:
                return m_files.Folder() + "missing.mp3";
            default:
                return m_cut;
        }
    }

    // One random step on the control.
    void Step(ControlLife& life, std::mt19937& random) {
        auto pick = [&random](int count) { return static_cast<int>(random() % count); };
        test::ControlTestHost& host = life.Host;
        switch (pick(16)) {
            case 0:
            case 1: {
                const std::string target = pick(2) == 0 ? "" : host.Folder() + "out.wav";
                if (host.Call("Open", PickFile(random), target).Short() == 0)
                    life.Frames = host.Get("FrameCount").Long();
                break;
            }
            case 2:
            case 3:
                life.Starting(host.Call("Play").Short());
                break;
            case 4:
                host.Call("Pause");
                break;
            case 5:
                host.Call("Seek", pick(life.Frames + 4) - 1);
                break;
            case 6: {
                const int from = pick(life.Frames + 2);
                life.Starting(host.Call("PlayFromTo", from, from + pick(30) - 2).Short());
                break;
            }
            case 7:
                host.Call("SetSpeed", static_cast<int16_t>(30 + pick(1100)));
                break;
            case 8:
                host.Call("SetVolumeP", static_cast<int16_t>(pick(110)),
                          static_cast<int16_t>(pick(110)));
                host.Call("GetVolumeLeftP");
                break;
            case 9:
                host.Call("SetVolume", pick(70000), pick(70000));
                host.Call("GetVolumeRight");
                break;
            case 10:
                host.Put("FrameNotifyCount", static_cast<int16_t>(pick(40) - 2));
                break;
            case 11:
                host.Call("Stop");
                break;
            case 12:
                host.Call("Close");
                break;
            case 13:
                // The host is busy: the worker's messages wait in the queue.
                platform::Sleep(std::chrono::milliseconds(pick(30)));
                break;
            default:
                break;
        }
        if (pick(3) != 0) life.Pump();
    }

    platform::test::NullAudio m_audio;  // before any control: its device is the null device
    platform::test::ScopedEnvironment m_files;
    std::string m_cut;
    uint32_t m_seed = DefaultSeed;
    int m_seconds = DefaultSeconds;
};

TEST_F(SessionStress, EverySessionEndsOnceWhateverTheHostDoes) {
    SCOPED_TRACE("TRACKDECK_STRESS_SEED=" + std::to_string(m_seed));
    const Watchdog watchdog(std::chrono::seconds(m_seconds) + 4 * EndLimit);
    std::mt19937 random(m_seed);
    const auto end = Clock::now() + std::chrono::seconds(m_seconds);
    int lives = 0;
    int sessions = 0;
    while (Clock::now() < end) {
        auto life = std::make_unique<ControlLife>();
        ASSERT_TRUE(life->Host.Ready()) << life->Host.Problem();
        ++lives;
        // Most lives end with Close and every ThreadEnded seen; some with the
        // control destroyed in the middle, which joins its worker.
        const bool destroy = random() % 4 == 0;
        const int steps = 20 + static_cast<int>(random() % 200);
        for (int i = 0; i < steps && Clock::now() < end; ++i) {
            Step(*life, random);
            if (HasFatalFailure()) return;
        }
        sessions += life->Started;
        if (destroy) {
            life->Host.ReleaseControl();
        } else {
            life->Finish();
        }
        life.reset();
    }
    std::printf("session stress: seed %u, %d controls, %d sessions\n", m_seed, lives, sessions);
    EXPECT_GT(sessions, 0) << "the sequence started no session in " << lives << " controls";
}

}  // namespace
}  // namespace aurion
