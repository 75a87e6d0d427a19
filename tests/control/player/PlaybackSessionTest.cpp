// What reaches a session's DecodeContext: the control is linked in directly here
// so that the tests can look at the context the worker reads.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>

#include "control/player/AurionCtrl.h"
#include "control/player/MutexNames.h"
#include "control/player/PlaybackSession.h"
#include "platform/system/FreeSpace.h"
#include "tests/support/MpegFrameBuilder.h"
#include "tests/support/ScopedEnvironment.h"

namespace aurion {
namespace {

// A site with a host window, enough for the control to make its own window.
class WindowSite final : public platform::IControlSite {
public:
    WindowSite()
        : m_window(
              platform::CreateMessageWindow([](uint32_t, platform::WParam, platform::LParam) {})) {}
    ~WindowSite() { platform::DestroyMessageWindow(m_window); }
    WindowSite(const WindowSite&) = delete;
    WindowSite& operator=(const WindowSite&) = delete;

    platform::HRESULT QueryInterface(const platform::Guid&, void** out) override {
        *out = nullptr;
        return platform::E_NOINTERFACE;
    }
    // Lives on the test's stack.
    uint32_t AddRef() override { return 2; }
    uint32_t Release() override { return 1; }
    platform::WindowHandle HostWindow() override { return m_window; }
    void OnModified() override {}
    void ShowMessage(std::string_view, std::string_view, platform::MessageKind) override {}

private:
    platform::WindowHandle m_window;
};

struct ControlDeleter {
    void operator()(AurionCtrl* control) const { control->Release(); }
};

class PlaybackSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(control);
        control->SetClientSite(&site);
        ASSERT_EQ(control->Activate(), platform::S_OK);
    }

    const DecodeContext& Context() const { return control->Session()->Context(); }

    platform::test::ScopedEnvironment environment;
    WindowSite site;
    std::unique_ptr<AurionCtrl, ControlDeleter> control{AurionCtrl::Create()};
    test::TempFile mp3{[] {
        test::Bytes file;
        for (int i = 0; i < 20; ++i) test::AppendBytes(file, test::MakeFrame({}));
        return file;
    }()};
};

TEST_F(PlaybackSessionTest, SetSpeedClampsTo50Through1000) {
    ASSERT_EQ(control->Open(mp3.Path(), ""), 0);
    EXPECT_EQ(Context().SpeedPercent.load(), 100);
    EXPECT_EQ(control->SetSpeed(10), 0);
    EXPECT_EQ(Context().SpeedPercent.load(), 50);
    EXPECT_EQ(control->SetSpeed(5000), 0);
    EXPECT_EQ(Context().SpeedPercent.load(), 1000);
    EXPECT_EQ(control->SetSpeed(250), 0);
    EXPECT_EQ(Context().SpeedPercent.load(), 250);
}

TEST_F(PlaybackSessionTest, FrameNotifyCountReachesTheContextAsUnsigned) {
    control->SetFrameNotifyCount(12);
    ASSERT_EQ(control->Open(mp3.Path(), ""), 0);
    EXPECT_EQ(Context().NotifyCadence, 12);
    control->SetFrameNotifyCount(-1);
    EXPECT_EQ(Context().NotifyCadence, 65535);
    control->SetFrameNotifyCount(0);
    EXPECT_EQ(Context().NotifyCadence, 0);
}

TEST_F(PlaybackSessionTest, DeviceSessionTakesChannelModeAndDeviceAtHighPriority) {
    control->SetChannelMode(2);
    ASSERT_EQ(control->Open(mp3.Path(), ""), 0);
    EXPECT_EQ(Context().Channels, ChannelChoice::Right);
    EXPECT_EQ(Context().Output, OutputKind::WaveDevice);
    EXPECT_TRUE(Context().HighPriority);
    EXPECT_EQ(Context().DeviceNumber, 0);
    EXPECT_TRUE(Context().WavPath.empty());
    EXPECT_EQ(Context().StopFrame, 0);
    EXPECT_FALSE(Context().StopRequest);
    EXPECT_FALSE(Context().SeekRequest);
    platform::WindowHandle window = platform::NullWindow;
    control->GetWindow(window);
    EXPECT_EQ(Context().Window, window);
    EXPECT_FALSE(control->Session()->Started());
}

TEST_F(PlaybackSessionTest, WavSessionKeepsALongTargetPathWhole) {
    platform::SetFreeSpaceQuery([](const std::string&) { return uint64_t{1} << 40; });
    std::string target = environment.Folder() + std::string(120, 'a') + "/" +
                         std::string(120, 'b') + "/" + std::string(40, 'c') + ".wav";
    ASSERT_GT(target.size(), 255u);
    control->SetChannelMode(0);
    ASSERT_EQ(control->Open(mp3.Path(), target), 0);
    platform::SetFreeSpaceQuery({});
    EXPECT_EQ(Context().WavPath, target);
    EXPECT_EQ(Context().Output, OutputKind::WavFile);
    EXPECT_FALSE(Context().HighPriority);
    EXPECT_EQ(Context().Channels, ChannelChoice::Both);
}

TEST_F(PlaybackSessionTest, SessionMutexesHaveTenLetterNames) {
    ASSERT_EQ(control->Open(mp3.Path(), ""), 0);
    for (const std::string& name : {Context().Lock.Name(), Context().PauseGate.Name()}) {
        ASSERT_EQ(name.size(), MutexNameLength);
        for (char c : name) EXPECT_TRUE(c >= 'a' && c <= 'j') << name;
    }
    EXPECT_NE(Context().Lock.Name(), Context().PauseGate.Name());
}

TEST(MutexNames, UseAllTenLetters) {
    std::string seen;
    for (int i = 0; i < 50; ++i) seen += GenerateMutexName();
    for (char c = 'a'; c <= 'j'; ++c) EXPECT_NE(seen.find(c), std::string::npos) << c;
}

TEST_F(PlaybackSessionTest, ProbeStoresTheTagPathOnlyForAFileStartingWithAHeader) {
    ASSERT_EQ(control->Open(mp3.Path(), ""), 0);
    EXPECT_EQ(control->TagPath(), mp3.Path());
    control->Close();

    test::Bytes prefixed = test::Bytes(64, 0x20);
    for (int i = 0; i < 5; ++i) test::AppendBytes(prefixed, test::MakeFrame({}));
    test::TempFile junkFirst{prefixed};
    ASSERT_EQ(control->Open(junkFirst.Path(), ""), 0);
    EXPECT_TRUE(control->TagPath().empty());
    EXPECT_EQ(control->WriteTag(), 650);
}

TEST_F(PlaybackSessionTest, PauseHoldsTheGateUntilPlay) {
    platform::SetFreeSpaceQuery([](const std::string&) { return uint64_t{1} << 40; });
    ASSERT_EQ(control->Open(mp3.Path(), environment.Folder() + "out.wav"), 0);
    platform::SetFreeSpaceQuery({});
    ASSERT_EQ(control->Play(), 0);
    ASSERT_EQ(control->Pause(), 0);
    EXPECT_TRUE(control->Session()->Paused());
    auto& gate = const_cast<platform::NamedMutex&>(Context().PauseGate);
    std::atomic<bool> gotGate{true};
    std::thread probe([&] {
        gotGate = gate.TryWait();
        if (gotGate) gate.Release();
    });
    probe.join();
    EXPECT_FALSE(gotGate);
    ASSERT_EQ(control->Play(), 0);
    EXPECT_FALSE(control->Session()->Paused());
    EXPECT_EQ(control->GetStatus(), 1);
}

TEST_F(PlaybackSessionTest, RefusedRangeLeavesTheContextUntouched) {
    ASSERT_EQ(control->Open(mp3.Path(), ""), 0);
    ASSERT_EQ(control->PlayFromTo(10, 5), 380);
    EXPECT_FALSE(Context().SeekRequest);
    EXPECT_EQ(Context().SeekTarget, 0);
    EXPECT_EQ(Context().StopFrame, 0);
    EXPECT_FALSE(control->Session()->Started());
}

}  // namespace
}  // namespace aurion
