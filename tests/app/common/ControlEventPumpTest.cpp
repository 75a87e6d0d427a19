#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include "app/common/ControlEventPump.h"
#include "host/AurionMembers.h"
#include "tests/app/AppTestSupport.h"

namespace trackdeck::test {
namespace {

using ControlInQtLoop = AppTest;

// The control decodes on its own thread; its events reach the window only because
// the wake hook queues pumps into Qt's loop, which nothing else here runs.
TEST_F(ControlInQtLoop, EventsArriveThroughTheWakeHookOnTheWindowsThread) {
    ControlEventPump pump;
    auto form = Start();
    ASSERT_TRUE(form);
    const DeckControls ui(*form);
    ASSERT_TRUE(ui.Aurion1->Started());
    std::vector<int> frames;
    int ended = 0;
    bool onUiThread = true;
    QObject::connect(ui.Aurion1, &player::AurionControl::ActFrame, [&](int frame) {
        frames.push_back(frame);
        onUiThread = onUiThread && QThread::currentThread() == Application().thread();
    });
    QObject::connect(ui.Aurion1, &player::AurionControl::ThreadEnded, [&] { ++ended; });

    using namespace aurion::host;
    ControlCaller control = ui.Aurion1->Caller();
    const std::string wav = (MakeFolder("out") + "demo.wav").toStdString();
    ASSERT_FALSE(control.Put(members::FrameNotifyCount, platform::Variant(int16_t{8})));
    ASSERT_FALSE(control.CallStatus(
        members::Open,
        {platform::Variant(TRACKDECK_SOURCE_DIR "/tools/demo/demo.mp3"), platform::Variant(wav)}));
    ASSERT_FALSE(control.CallStatus(members::Play, {}));

    WaitUntil([&] { return ended > 0; });
    EXPECT_EQ(ended, 1);
    ASSERT_GE(frames.size(), 30u) << "308 frames, one event every 8";
    EXPECT_TRUE(std::is_sorted(frames.begin(), frames.end()));
    EXPECT_TRUE(onUiThread);
    (void)control.Call(members::Close, {});
}

}  // namespace
}  // namespace trackdeck::test
