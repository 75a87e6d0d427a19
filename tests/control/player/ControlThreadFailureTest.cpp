// A system that cannot give the session its decoding thread: Open and the
// starting methods report it, and the session is gone afterwards.
#include <gtest/gtest.h>

#include "platform/thread/Thread.h"
#include "tests/support/ControlTestHost.h"
#include "tests/support/MpegFrameBuilder.h"

namespace aurion {
namespace {

using test::ControlTestHost;
using test::DispatchOutcome;

test::Bytes LayerIIIStream(int frames) {
    test::Bytes file;
    for (int i = 0; i < frames; ++i) test::AppendBytes(file, test::MakeFrame(test::HeaderFields{}));
    return file;
}

class PlayedThreadFailure {
public:
    explicit PlayedThreadFailure(platform::ThreadFailure failure) {
        platform::SetThreadFailure(failure);
    }
    ~PlayedThreadFailure() { platform::SetThreadFailure(platform::ThreadFailure::None); }
    PlayedThreadFailure(const PlayedThreadFailure&) = delete;
    PlayedThreadFailure& operator=(const PlayedThreadFailure&) = delete;
};

class ControlThreadFailure : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Ready()) << host.Problem(); }

    ControlTestHost host;
    test::TempFile mp3{LayerIIIStream(20)};
};

TEST_F(ControlThreadFailure, OpenWithoutAThreadFailsWith644AndLeavesNoSession) {
    {
        PlayedThreadFailure failure(platform::ThreadFailure::Create);
        EXPECT_EQ(host.Call("Open", mp3.Path(), "").Short(), 644);
        EXPECT_EQ(host.Get("Layer").Short(), -1);
        EXPECT_EQ(host.Call("Play").Short(), 650);

        ASSERT_EQ(host.Call("SetErrorMode", 1).Short(), -1);
        DispatchOutcome raised = host.Call("Open", mp3.Path(), "");
        EXPECT_EQ(raised.RaisedNumber(), 644);
        EXPECT_EQ(raised.Error.Description, "Can`t create Working-Thread");
        ASSERT_EQ(host.Call("SetErrorMode", 0).Short(), 0);
    }
    EXPECT_EQ(host.Call("Open", mp3.Path(), "").Short(), 0);
    EXPECT_EQ(host.Call("Close").Short(), 0);
}

TEST_F(ControlThreadFailure, ThreadThatCannotStartFailsWith645AndEndsTheSession) {
    for (const char* start : {"Play", "PlayFromTo"}) {
        SCOPED_TRACE(start);
        ASSERT_EQ(host.Call("Open", mp3.Path(), host.Folder() + "out.wav").Short(), 0);
        {
            PlayedThreadFailure failure(platform::ThreadFailure::Resume);
            const DispatchOutcome outcome =
                std::string(start) == "Play" ? host.Call("Play") : host.Call("PlayFromTo", 2, 5);
            EXPECT_EQ(outcome.Short(), 645);
        }
        // The session was destroyed: nothing is left to start or to stop.
        EXPECT_EQ(host.Call("Stop").Short(), 647);
        EXPECT_EQ(host.Call("Play").Short(), 650);
        EXPECT_EQ(host.Get("FrameCount").Long(), 650);
    }
    EXPECT_EQ(host.ThreadEndedCount(), 0);
}

}  // namespace
}  // namespace aurion
