// The playback session as a host drives it through the dispatch interface: Open's
// checks, the methods on opened and started sessions, the worker's messages turned
// into events, and the end of a session.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "control/AurionInterface.h"
#include "control/output/OutputFailure.h"
#include "control/player/WorkerMessages.h"
#include "platform/system/FreeSpace.h"
#include "tests/support/ControlTestHost.h"
#include "tests/support/MpegFrameBuilder.h"

namespace aurion {
namespace {

using test::ControlTestHost;
using test::DispatchOutcome;
using test::EventKind;
using test::HeaderFields;

constexpr int StreamFrames = 100;

// Silent MPEG-1 Layer III frames, 128 kbit/s, 44.1 kHz, stereo: all-zero side
// information, so every frame decodes on its own.
test::Bytes SilentStream(int frames) {
    HeaderFields fields;
    test::Bytes file;
    for (int i = 0; i < frames; ++i) test::AppendBytes(file, test::MakeFrame(fields));
    return file;
}

// Replaces the free-space query for one test.
class FreeSpaceOverride {
public:
    explicit FreeSpaceOverride(std::optional<uint64_t> answer) {
        platform::SetFreeSpaceQuery([answer](const std::string&) { return answer; });
    }
    ~FreeSpaceOverride() { platform::SetFreeSpaceQuery({}); }
    FreeSpaceOverride(const FreeSpaceOverride&) = delete;
    FreeSpaceOverride& operator=(const FreeSpaceOverride&) = delete;
};

class ControlSession : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Ready()) << host.Problem(); }

    bool WaitForThreadEnded() {
        return host.PumpUntil([&] { return host.ThreadEndedCount() > 0; });
    }
    std::string WavTarget() const { return host.Folder() + "out.wav"; }

    ControlTestHost host;
    test::TempFile mp3{SilentStream(StreamFrames)};
};

TEST_F(ControlSession, OpenFillsTheStreamPropertiesFromTheFirstHeader) {
    ASSERT_EQ(host.Call("Open", mp3.Path(), "").Short(), 0);
    EXPECT_EQ(host.Get("Layer").Short(), 3);
    EXPECT_EQ(host.Get("SampleFrequency").Long(), 44100);
    EXPECT_EQ(host.Get("BitRate").Long(), 128000);
    EXPECT_EQ(host.Get("MPEGVersion").Short(), 1);
    EXPECT_EQ(host.Get("MPEGMode").Short(), 1);
    EXPECT_FALSE(host.Get("HasChecksums").Bool());
    EXPECT_FALSE(host.Get("IsCopyrighted").Bool());
    EXPECT_NEAR(host.Get("FrameCount").Long(), StreamFrames, 1);
    EXPECT_NEAR(host.Get("MsPerFrame").Float(), 26.12f, 0.01f);
    EXPECT_NEAR(host.Get("TotalTime").Long(), 2612, 30);
    EXPECT_NEAR(host.Call("GetWaveLengthSecs").Float(), 2.612f, 0.03f);
    EXPECT_EQ(host.Call("GetStatus").Short(), 0);
}

TEST_F(ControlSession, OpenWithoutFileNameLeavesNoSession) {
    EXPECT_EQ(host.Call("Open", "", "").Short(), 642);
    EXPECT_EQ(host.Get("FrameCount").Long(), 650);
    EXPECT_EQ(host.Call("Play").Short(), 650);
    EXPECT_EQ(host.Call("Open", mp3.Path(), "").Short(), 0);
}

TEST_F(ControlSession, UnreadableFileFailsWith643AndPlayRepeatsIt) {
    EXPECT_EQ(host.Call("Open", host.Folder() + "missing.mp3", "").Short(), 643);
    EXPECT_EQ(host.Call("Play").Short(), 643);
    EXPECT_EQ(host.Call("PlayFromTo", 0, 0).Short(), 643);
    // Without text, 643 is returned even in error mode.
    host.Call("SetErrorMode", int16_t{1});
    DispatchOutcome play = host.Call("Play");
    EXPECT_EQ(play.Hr, platform::S_OK);
    EXPECT_EQ(play.Short(), 643);
}

TEST_F(ControlSession, FileWithoutFrameHeaderFailsWith643) {
    test::TempFile junk{test::Junk(4000, 7)};
    EXPECT_EQ(host.Call("Open", junk.Path(), "").Short(), 643);
    EXPECT_EQ(host.Get("Layer").Short(), -1);
}

TEST_F(ControlSession, ErrorModeReportsAFailedProbeAs641) {
    host.Call("SetErrorMode", int16_t{1});
    DispatchOutcome open = host.Call("Open", host.Folder() + "missing.mp3", "");
    EXPECT_EQ(open.Hr, platform::DISP_E_EXCEPTION);
    EXPECT_EQ(open.RaisedNumber(), 641);
    EXPECT_EQ(open.Error.Description, "Specified File is not an MPEG-File");
}

TEST_F(ControlSession, SecondOpenFailsWith640) {
    ASSERT_EQ(host.Call("Open", mp3.Path(), "").Short(), 0);
    EXPECT_EQ(host.Call("Open", mp3.Path(), "").Short(), 640);
    host.Call("SetErrorMode", int16_t{1});
    DispatchOutcome again = host.Call("Open", mp3.Path(), "");
    EXPECT_EQ(again.RaisedNumber(), 640);
    EXPECT_EQ(again.Error.Description, "Already openend");
}

TEST(ControlSessionWindow, OpenWithoutWindowFailsWith653) {
    for (test::HostOptions options :
         {test::HostOptions{.Activate = false}, test::HostOptions{.WithSite = false}}) {
        ControlTestHost host(options);
        ASSERT_TRUE(host.Ready()) << host.Problem();
        EXPECT_EQ(host.ControlWindow(), platform::NullWindow);
        test::TempFile mp3{SilentStream(4)};
        EXPECT_EQ(host.Call("Open", mp3.Path(), "").Short(), 653);
        host.Call("SetErrorMode", int16_t{1});
        DispatchOutcome raised = host.Call("Open", mp3.Path(), "");
        EXPECT_EQ(raised.RaisedNumber(), 653);
        EXPECT_EQ(raised.Error.Description, "Can\u00B4t determine my hWnd");
    }
}

TEST_F(ControlSession, TooLittleSpaceForTheWavTargetFailsWith712) {
    FreeSpaceOverride nearlyFull(uint64_t{1000});
    EXPECT_EQ(host.Call("Open", mp3.Path(), WavTarget()).Short(), 712);
    EXPECT_EQ(host.Call("Play").Short(), 712);
    EXPECT_EQ(host.Call("PlayFromTo", 0, 0).Short(), 712);
    EXPECT_EQ(host.Call("PlayFromToS", 0.0, 1.0).Short(), 712);
    EXPECT_EQ(host.Get("FrameCount").Long(), 650);
    EXPECT_EQ(host.Get("Layer").Short(), -1);
    EXPECT_FALSE(std::filesystem::exists(WavTarget()));
}

TEST_F(ControlSession, EnoughSpaceIsThePlayTimeAtTheStreamsOwnOutputRate) {
    // 100 frames of 26.12 ms at 44.1 kHz, two channels: 460 846 bytes with the header.
    {
        FreeSpaceOverride tight(uint64_t{460800});
        EXPECT_EQ(host.Call("Open", mp3.Path(), WavTarget()).Short(), 712);
    }
    {
        FreeSpaceOverride roomy(uint64_t{460846});
        EXPECT_EQ(host.Call("Open", mp3.Path(), WavTarget()).Short(), 0);
        EXPECT_EQ(host.Call("Close").Short(), 0);
    }
    // 100 frames of 24 ms at 48 kHz need 192 bytes a millisecond (460 846 in all),
    // more than 176.4 would say (423 406); one channel needs half.
    HeaderFields fields;
    fields.FrequencyIndex = 1;
    test::Bytes bytes;
    for (int i = 0; i < StreamFrames; ++i) test::AppendBytes(bytes, test::MakeFrame(fields));
    test::TempFile at48k(bytes);
    FreeSpaceOverride between(uint64_t{440000});
    EXPECT_EQ(host.Call("Open", at48k.Path(), WavTarget()).Short(), 712);
    ASSERT_EQ(host.Put("ChannelMode", int16_t{3}).Hr, platform::S_OK);
    EXPECT_EQ(host.Call("Open", at48k.Path(), WavTarget()).Short(), 0);
}

TEST_F(ControlSession, FreeSpaceIsAskedOfTheNearestExistingFolderOfTheTarget) {
    std::vector<std::string> asked;
    platform::SetFreeSpaceQuery([&asked](const std::string& path) -> std::optional<uint64_t> {
        asked.push_back(path);
        return uint64_t{1} << 40;
    });
    EXPECT_EQ(host.Call("Open", mp3.Path(), host.Folder() + "not/yet/out.wav").Short(), 0);
    platform::SetFreeSpaceQuery({});
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(std::filesystem::path(asked[0]), std::filesystem::path(host.Folder()).parent_path());
}

TEST_F(ControlSession, FailedFreeSpaceQueryFailsWith714) {
    FreeSpaceOverride failing(std::nullopt);
    EXPECT_EQ(host.Call("Open", mp3.Path(), WavTarget()).Short(), 714);
    EXPECT_EQ(host.Call("Play").Short(), 714);
    // The range methods have no 714 step.
    EXPECT_EQ(host.Call("PlayFromTo", 0, 0).Short(), 650);
    // A device session needs no free space.
    EXPECT_EQ(host.Call("Open", mp3.Path(), "").Short(), 0);
}

// A failed Open is no end of a session: what the host set stays as it was.
TEST_F(ControlSession, OpenFailingForTheWavTargetKeepsTheHostsFrameNotifyCount) {
    ASSERT_EQ(host.Put("FrameNotifyCount", int16_t{8}).Hr, platform::S_OK);
    {
        FreeSpaceOverride nearlyFull(uint64_t{1000});
        EXPECT_EQ(host.Call("Open", mp3.Path(), WavTarget()).Short(), 712);
    }
    EXPECT_EQ(host.Get("FrameNotifyCount").Short(), 8);
    {
        FreeSpaceOverride failing(std::nullopt);
        EXPECT_EQ(host.Call("Open", mp3.Path(), WavTarget()).Short(), 714);
    }
    EXPECT_EQ(host.Get("FrameNotifyCount").Short(), 8);
}

TEST_F(ControlSession, OpenedButUnstartedSessionRefusesPauseSeekAndStop) {
    ASSERT_EQ(host.Call("Open", mp3.Path(), "").Short(), 0);
    EXPECT_EQ(host.Call("Pause").Short(), 647);
    EXPECT_EQ(host.Call("Seek", 3).Short(), 647);
    EXPECT_EQ(host.Call("Stop").Short(), 647);
    host.Call("SetErrorMode", int16_t{1});
    DispatchOutcome pause = host.Call("Pause");
    EXPECT_EQ(pause.RaisedNumber(), 647);
    EXPECT_EQ(pause.Error.Description, "Player not started");
}

TEST_F(ControlSession, CloseOfUnstartedSessionRestoresDefaultsWithoutEvent) {
    ASSERT_EQ(host.Put("FrameNotifyCount", int16_t{8}).Hr, platform::S_OK);
    ASSERT_EQ(host.Call("Open", mp3.Path(), "").Short(), 0);
    EXPECT_EQ(host.Call("Close").Short(), 0);
    host.Pump();
    EXPECT_TRUE(host.Events().empty());
    EXPECT_EQ(host.Get("Layer").Short(), -1);
    EXPECT_EQ(host.Get("FrameCount").Long(), 650);
    EXPECT_EQ(host.Get("FrameNotifyCount").Short(), 32);
    EXPECT_EQ(host.Call("Open", mp3.Path(), "").Short(), 0);
}

TEST_F(ControlSession, RangeChecksOfPlayFromTo) {
    ASSERT_EQ(host.Call("Open", mp3.Path(), WavTarget()).Short(), 0);
    int32_t frames = host.Get("FrameCount").Long();
    EXPECT_EQ(host.Call("PlayFromTo", 10, 5).Short(), 380);
    EXPECT_EQ(host.Call("PlayFromTo", -1, 5).Short(), 380);
    EXPECT_EQ(host.Call("PlayFromTo", 0, frames).Short(), 380);
    EXPECT_EQ(host.Call("PlayFromToS", 2.0, 1.0).Short(), 380);
    EXPECT_EQ(host.Call("PlayFromToS", 0.0, 60.0).Short(), 380);
    host.Call("SetErrorMode", int16_t{1});
    DispatchOutcome raised = host.Call("PlayFromTo", 10, 5);
    EXPECT_EQ(raised.RaisedNumber(), 380);
    EXPECT_EQ(raised.Error.Description, "Frame must be >= 0 and < FrameCount");
    // Nothing changed: Play starts at the first frame.
    EXPECT_EQ(host.Call("Play").Short(), 0);
    ASSERT_TRUE(WaitForThreadEnded());
    ASSERT_FALSE(host.ActFrames().empty());
    EXPECT_EQ(host.ActFrames().front(), 0);
}

TEST_F(ControlSession, PlayingToTheEndFiresCadenceFramesThenThreadEnded) {
    ASSERT_EQ(host.Put("FrameNotifyCount", int16_t{10}).Hr, platform::S_OK);
    ASSERT_EQ(host.Call("Open", mp3.Path(), WavTarget()).Short(), 0);
    ASSERT_EQ(host.Call("Play").Short(), 0);
    EXPECT_EQ(host.Call("GetStatus").Short(), 1);
    EXPECT_EQ(host.Call("Play").Short(), 651);
    ASSERT_TRUE(WaitForThreadEnded());

    std::vector<int32_t> frames = host.ActFrames();
    ASSERT_GE(frames.size(), 2u);
    for (size_t i = 0; i + 1 < frames.size(); ++i) EXPECT_EQ(frames[i], int32_t(10 * i));
    EXPECT_GE(frames.back(), StreamFrames - 2);
    EXPECT_EQ(host.Events().back().Kind, EventKind::ThreadEnded);
    EXPECT_EQ(host.Get("PlayPosition").Short(), frames.back());

    EXPECT_EQ(host.Get("FrameNotifyCount").Short(), 32);
    EXPECT_EQ(host.Call("GetStatus").Short(), 0);
    EXPECT_EQ(host.Get("Layer").Short(), -1);
    EXPECT_EQ(host.Get("FrameCount").Long(), 650);
    EXPECT_TRUE(std::filesystem::exists(WavTarget()));
    EXPECT_EQ(host.Call("Open", mp3.Path(), "").Short(), 0);
}

TEST_F(ControlSession, ActFrameAfterTheSessionEndedFiresNothing) {
    ASSERT_EQ(host.Call("Open", mp3.Path(), WavTarget()).Short(), 0);
    ASSERT_EQ(host.Call("Play").Short(), 0);
    ASSERT_TRUE(WaitForThreadEnded());
    int16_t position = host.Get("PlayPosition").Short();
    host.ClearEvents();
    ASSERT_TRUE(platform::PostMessage(host.ControlWindow(), MSG_ACTFRAME, 7, 0));
    ASSERT_TRUE(platform::PostMessage(host.ControlWindow(), MSG_THREADENDED, 0, 0));
    host.Pump();
    EXPECT_TRUE(host.Events().empty());
    EXPECT_EQ(host.Get("PlayPosition").Short(), position);
}

TEST_F(ControlSession, ActFrameBeforeTheStartFiresNothing) {
    ASSERT_EQ(host.Call("Open", mp3.Path(), "").Short(), 0);
    ASSERT_TRUE(platform::PostMessage(host.ControlWindow(), MSG_ACTFRAME, 7, 0));
    host.Pump();
    EXPECT_TRUE(host.Events().empty());
}

TEST_F(ControlSession, SeekChecksRangeAndARunningSeek) {
    ASSERT_EQ(host.Call("Open", mp3.Path(), WavTarget()).Short(), 0);
    int32_t frames = host.Get("FrameCount").Long();
    ASSERT_EQ(host.Call("Play").Short(), 0);
    // No messages are handled before the next pump, so the session stays started.
    EXPECT_EQ(host.Call("Seek", -1).Short(), 380);
    EXPECT_EQ(host.Call("Seek", frames).Short(), 380);
    EXPECT_EQ(host.Call("Seek", 50).Short(), 0);
    EXPECT_EQ(host.Call("Seek", 60).Short(), 654);
    host.Call("SetErrorMode", int16_t{1});
    DispatchOutcome busy = host.Call("Seek", 60);
    EXPECT_EQ(busy.RaisedNumber(), 654);
    EXPECT_EQ(busy.Error.Description, "Player already seeking");
    ASSERT_TRUE(WaitForThreadEnded());
}

TEST_F(ControlSession, StopEndsTheSessionWithThreadEnded) {
    ASSERT_EQ(host.Call("Open", mp3.Path(), WavTarget()).Short(), 0);
    ASSERT_EQ(host.Call("Play").Short(), 0);
    EXPECT_EQ(host.Call("Stop").Short(), 0);
    EXPECT_EQ(host.Call("GetStatus").Short(), 0);
    ASSERT_TRUE(WaitForThreadEnded());
    EXPECT_EQ(host.ThreadEndedCount(), 1);
    EXPECT_EQ(host.Call("Stop").Short(), 647);
}

TEST_F(ControlSession, StopAndCloseReachAPausedWorker) {
    for (const char* ending : {"Stop", "Close"}) {
        host.ClearEvents();
        ASSERT_EQ(host.Call("Open", mp3.Path(), WavTarget()).Short(), 0);
        ASSERT_EQ(host.Call("Play").Short(), 0);
        ASSERT_EQ(host.Call("Pause").Short(), 0);
        EXPECT_EQ(host.Call("GetStatus").Short(), 2);
        EXPECT_EQ(host.Call(ending).Short(), 0);
        EXPECT_TRUE(WaitForThreadEnded()) << ending;
        EXPECT_EQ(host.Call("GetStatus").Short(), 0);
    }
}

TEST_F(ControlSession, PauseTogglesAndPlayResumes) {
    ASSERT_EQ(host.Call("Open", mp3.Path(), WavTarget()).Short(), 0);
    ASSERT_EQ(host.Call("Play").Short(), 0);
    ASSERT_EQ(host.Call("Pause").Short(), 0);
    EXPECT_EQ(host.Call("GetStatus").Short(), 2);
    ASSERT_EQ(host.Call("Pause").Short(), 0);
    EXPECT_EQ(host.Call("GetStatus").Short(), 1);
    ASSERT_EQ(host.Call("Pause").Short(), 0);
    ASSERT_EQ(host.Call("Play").Short(), 0);
    EXPECT_EQ(host.Call("GetStatus").Short(), 1);
    ASSERT_TRUE(WaitForThreadEnded());
    EXPECT_GE(host.ActFrames().back(), StreamFrames - 2);
}

TEST_F(ControlSession, ReleasingTheControlDuringPlaybackStopsAndJoinsTheWorker) {
    ASSERT_EQ(host.Call("Open", mp3.Path(), WavTarget()).Short(), 0);
    ASSERT_EQ(host.Call("Play").Short(), 0);
    host.ReleaseControl();
    host.Pump();
    EXPECT_EQ(host.ThreadEndedCount(), 0);
    EXPECT_TRUE(std::filesystem::exists(WavTarget()));
}

TEST_F(ControlSession, ReleasingAPausedControlEndsThePauseFirst) {
    ASSERT_EQ(host.Call("Open", mp3.Path(), WavTarget()).Short(), 0);
    ASSERT_EQ(host.Call("Play").Short(), 0);
    ASSERT_EQ(host.Call("Pause").Short(), 0);
    host.ReleaseControl();
    host.Pump();
    EXPECT_EQ(host.ThreadEndedCount(), 0);
}

TEST_F(ControlSession, DeactivateEndsARunningSessionWithoutEvents) {
    ASSERT_EQ(host.Call("Open", mp3.Path(), WavTarget()).Short(), 0);
    ASSERT_EQ(host.Call("Play").Short(), 0);
    ASSERT_EQ(host.Call("Pause").Short(), 0);
    ASSERT_EQ(host.OleControl()->Deactivate(), platform::S_OK);
    host.Pump();
    EXPECT_TRUE(host.Events().empty());
    EXPECT_EQ(host.Call("GetStatus").Short(), 0);
    EXPECT_EQ(host.Get("FrameCount").Long(), 650);
    EXPECT_EQ(host.Call("Open", mp3.Path(), "").Short(), 653);
    ASSERT_EQ(host.OleControl()->Activate(), platform::S_OK);
    EXPECT_EQ(host.Call("Open", mp3.Path(), "").Short(), 0);
}

TEST_F(ControlSession, WorkerFailureBecomesTheFailureEvent) {
    ASSERT_TRUE(platform::PostMessage(host.ControlWindow(), MSG_FAILURE,
                                      static_cast<platform::WParam>(OutputFailure::WaveOutOpen),
                                      static_cast<platform::LParam>(0x800A0259)));
    host.Pump();
    ASSERT_EQ(host.Events().size(), 1u);
    EXPECT_EQ(host.Events()[0].Kind, EventKind::Failure);
    EXPECT_EQ(host.Events()[0].Number, 601);
    EXPECT_EQ(host.Events()[0].Text, "waveOutOpen() failed");
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(ControlSession, WorkerFailureInErrorModeFiresTheStockErrorEvent) {
    const auto step = static_cast<platform::WParam>(OutputFailure::MmioFormatWrite);
    const auto scode = static_cast<platform::LParam>(0x800A0261);
    host.Call("SetErrorMode", int16_t{1});
    platform::PostMessage(host.ControlWindow(), MSG_FAILURE, step, scode);
    host.Pump();
    ASSERT_EQ(host.Events().size(), 1u);
    EXPECT_EQ(host.Events()[0].Kind, EventKind::Error);
    EXPECT_EQ(host.Events()[0].Number, 609);
    EXPECT_EQ(host.Events()[0].Text, "mmioWrite() failed");
    EXPECT_EQ(host.Events()[0].Scode, static_cast<platform::HRESULT>(scode));
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].Text, "mmioWrite() failed");

    host.ClearSiteRecords();
    host.SetCancelDisplay(true);
    platform::PostMessage(host.ControlWindow(), MSG_FAILURE, step, scode);
    host.Pump();
    EXPECT_EQ(host.Events().size(), 2u);
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(ControlSession, FailureMessageOfNoKnownStepIsIgnored) {
    platform::PostMessage(host.ControlWindow(), MSG_FAILURE, OutputFailureCount, 0);
    host.Pump();
    EXPECT_TRUE(host.Events().empty());
}

TEST_F(ControlSession, SetSpeedNeedsASession) {
    EXPECT_EQ(host.Call("SetSpeed", int16_t{10}).Short(), 650);
    ASSERT_EQ(host.Call("Open", mp3.Path(), "").Short(), 0);
    EXPECT_EQ(host.Call("SetSpeed", int16_t{10}).Short(), 0);
    EXPECT_EQ(host.Call("SetSpeed", int16_t{5000}).Short(), 0);
}

}  // namespace
}  // namespace aurion
