#include <QMouseEvent>
#include <QTest>
#include <optional>

#include "app/common/Twips.h"
#include "app/player/LevelMeter.h"
#include "app/player/TimeText.h"
#include "host/AurionMembers.h"
#include "tests/app/PlayerTestSupport.h"

namespace trackdeck::test {
namespace {

using player::TimeText;

// The null device plays whole buffers of 32 frames of 1152 stereo samples; the last
// buffer of a file is filled up with silence.
constexpr size_t FrameValues = 1152 * 2;
constexpr size_t BufferValues = 32 * FrameValues;
constexpr uintmax_t BufferBytes = BufferValues * 2;

// Drags a knob by `offset` pixels with the left button held, as the mouse does.
void Drag(QWidget* knob, QPoint offset) {
    const QPoint start(knob->width() / 2, knob->height() / 2);
    auto send = [knob](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(type, at, knob->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(knob, &event);
    };
    send(QEvent::MouseButtonPress, start, Qt::LeftButton);
    send(QEvent::MouseMove, start + offset, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, start + offset, Qt::NoButton);
}

TEST(PlayerTexts, MinutesGoOnPastAnHourAndBitRatesLoseTheirLastThreeDigits) {
    EXPECT_EQ(TimeText(3725), "62:05");
    EXPECT_EQ(TimeText(65), "01:05");
    EXPECT_EQ(TimeText(600), "10:00");
    EXPECT_EQ(TimeText(0), "00:00");
    EXPECT_EQ(player::BitRateText(128000), "128 kbps");
    EXPECT_EQ(player::BitRateText(320000), "320 kbps");
    EXPECT_EQ(player::BitRateText(99), "") << "fewer than three digits leave the field alone";
}

TEST(LevelMeterShape, SilenceCoversAllAndAPeakAtTheMaximumNothing) {
    using player::LevelMeter;
    EXPECT_EQ(LevelMeter::CoverHeight(2550, 0, 32767), 2550);
    EXPECT_EQ(LevelMeter::CoverHeight(2550, 32767, 32767), 0);
    EXPECT_EQ(LevelMeter::CoverHeight(2550, 16384, 32767), 1275);
    EXPECT_EQ(LevelMeter::CoverHeight(2550, 500, 0), 2550) << "no meter, no movement";
    EXPECT_EQ(LevelMeter::CaptionBar(32767, 32767), QString(65, '|'));
    EXPECT_EQ(LevelMeter::CaptionBar(0, 32767), "");
    EXPECT_EQ(LevelMeter::CaptionBar(100, 0), "");
}

using PlayerPanel = PlayerTest;

TEST_F(PlayerPanel, WithClickPlayOffAClickFillsTimesAndBitRateAndPlayStartsTheFile) {
    const QString folder = MakeFolder("music");
    WriteMp3(folder + "one.mp3", 60);
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    ui.List1->setCurrentRow(0);
    EXPECT_EQ(m_state.CurrentFile, folder + "one.mp3");
    EXPECT_EQ(ui.Text7->text(), folder + "one.mp3");
    EXPECT_EQ(ui.Text12->text(), "one");
    EXPECT_EQ(ui.Text3->text(), "00:02") << "60 frames of 1152 samples at 44.1 kHz";
    EXPECT_EQ(ui.Text9->text(), "128 kbps");
    Settle();
    EXPECT_EQ(m_audio.CapturedBytes(), 0u);
    EXPECT_TRUE(m_state.PlayerThreadEnded);
    EXPECT_FALSE(ui.Picture6->isVisible());

    QTest::mouseClick(ui.Image1, Qt::LeftButton);
    EXPECT_FALSE(m_state.PlayerThreadEnded);
    EXPECT_TRUE(ui.Picture6->isVisible());
    EXPECT_TRUE(ui.Timer1->isActive());
    ASSERT_TRUE(WaitFor([&] { return m_state.PlayerThreadEnded; }));
    EXPECT_EQ(m_audio.CapturedBytes(), 2 * BufferBytes) << "60 frames fill two device buffers";
    EXPECT_FALSE(ui.Picture6->isVisible());
    EXPECT_FALSE(ui.Timer1->isActive());
    EXPECT_EQ(m_state.CurrentIndex, 1) << "continuous play found no next entry";
    Close(form);
}

TEST_F(PlayerPanel, ContinuousPlayGoesThroughTheFolderInOrderAndStopsAfterItsLastEntry) {
    const QString folder = MakeFolder("album");
    WriteMp3(folder + "a.mp3", 6);
    WriteMp3(folder + "b.mp3", 12);
    WriteMp3(folder + "c.mp3", 18);
    auto form = StartIn(folder, true);
    const DeckControls ui(*form);
    ui.List1->setCurrentRow(0);
    ASSERT_TRUE(WaitFor([&] { return m_state.PlayerThreadEnded && m_state.CurrentIndex == 3; }));
    Settle();
    EXPECT_TRUE(m_state.PlayerThreadEnded) << "nothing opened after the last entry";
    EXPECT_EQ(m_state.CurrentFile, folder + "c.mp3");
    EXPECT_EQ(ui.List1->currentRow(), 2);

    // Each file decodes from its start into a buffer of its own, so the shorter ones
    // are prefixes of the last, and silence fills each buffer up.
    const std::vector<int16_t> samples = m_audio.Captured();
    ASSERT_EQ(samples.size(), 3 * BufferValues);
    auto file = [&samples](size_t index) { return samples.begin() + index * BufferValues; };
    const size_t frames[] = {6, 12, 18};
    for (size_t i = 0; i < 3; ++i) {
        const auto end = file(i) + frames[i] * FrameValues;
        EXPECT_TRUE(std::equal(file(i), end, file(2))) << "file " << i;
        EXPECT_TRUE(std::all_of(end, file(i + 1), [](int16_t s) { return s == 0; }));
    }
    EXPECT_TRUE(std::any_of(file(0), file(0) + 6 * FrameValues, [](int16_t s) { return s != 0; }));
    Close(form);
}

TEST_F(PlayerPanel, StopWithContinuousPlayOnStartsNothing) {
    const QString folder = MakeFolder("stop");
    WriteMp3(folder + "a.mp3", 80);
    WriteMp3(folder + "b.mp3", 6);
    auto form = StartIn(folder, true);
    const DeckControls ui(*form);
    ui.List1->setCurrentRow(0);
    ASSERT_TRUE(WaitFor([&] { return !ui.Text4->text().isEmpty(); }));
    QTest::mouseClick(ui.Image6, Qt::LeftButton);
    EXPECT_FALSE(ui.Picture6->isVisible());
    EXPECT_TRUE(ui.Text4->text().isEmpty());
    ASSERT_TRUE(WaitFor([&] { return m_state.PlayerThreadEnded; }));
    Settle();
    EXPECT_TRUE(m_state.PlayerThreadEnded);
    EXPECT_EQ(m_state.CurrentIndex, 0);
    EXPECT_EQ(m_state.CurrentFile, folder + "a.mp3");
    EXPECT_LT(m_audio.CapturedBytes(), 80u * 1152 * 4) << "stopped before its end";
    Close(form);
}

TEST_F(PlayerPanel, AFileThePlayerCannotOpenDoesNotHangTheNextClickOrTheClose) {
    const QString folder = MakeFolder("broken");
    WriteFile(folder + "a broken.mp3", QByteArray(4000, 'x'));
    WriteMp3(folder + "b good.mp3", 6);
    auto form = StartIn(folder, true);
    const DeckControls ui(*form);
    ui.List1->setCurrentRow(0);
    EXPECT_TRUE(m_state.PlayerThreadEnded) << "no thread runs, so none can end";
    EXPECT_FALSE(ui.Picture6->isVisible());
    ui.List1->setCurrentRow(1);  // waits for the player with click-to-play on
    EXPECT_EQ(m_state.CurrentFile, folder + "b good.mp3");
    EXPECT_FALSE(m_state.PlayerThreadEnded);
    ASSERT_TRUE(WaitFor([&] { return m_state.PlayerThreadEnded; }));
    EXPECT_EQ(m_audio.CapturedBytes(), BufferBytes);
    Close(form);
}

TEST_F(PlayerPanel, TheKnobDraggedToTheMiddleSeeksToAboutHalfAndPlaysOnFromThere) {
    const QString folder = MakeFolder("seek");
    WriteMp3(folder + "long.mp3", 160);
    const std::vector<int16_t> whole = DecodeWhole(folder + "long.mp3");
    ASSERT_EQ(whole.size(), 160 * FrameValues);
    auto form = StartIn(folder, true);
    const DeckControls ui(*form);
    std::vector<int> frames;
    QObject::connect(ui.Aurion1, &player::AurionControl::ActFrame,
                     [&frames](int frame) { frames.push_back(frame); });
    ui.List1->setCurrentRow(0);
    // Full volume, so that what is heard is what was decoded, sample for sample.
    constexpr aurion::host::Member SetVolume{aurion::DispIds::SetVolume, "SetVolume"};
    ASSERT_FALSE(ui.Aurion1->Caller().Call(SetVolume, {int32_t{0xFFFF}, int32_t{0xFFFF}}));
    ASSERT_TRUE(WaitFor([&] { return !frames.empty(); }));
    const int paused = m_device.Paused();
    QTest::mouseClick(ui.Image7, Qt::LeftButton);  // pause
    ASSERT_TRUE(m_device.WaitForPaused(paused));
    Settle();  // the frames told before the pause
    const size_t heard = m_audio.CapturedBytes() / 2;
    frames.clear();

    QLabel* knob = ui.Picture6;
    const int middle = ui.Label14->x() + ui.Label14->width() / 2;
    const QPoint start(knob->width() / 2, knob->height() / 2);
    QMouseEvent press(QEvent::MouseButtonPress, start, knob->mapToGlobal(start), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(knob, &press);
    const QPoint to = start + QPoint(middle - knob->x(), 0);
    QMouseEvent move(QEvent::MouseMove, to, knob->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(knob, &move);
    EXPECT_EQ(knob->x(), middle);
    EXPECT_TRUE(ui.Text11->isVisible());
    EXPECT_EQ(ui.Text11->text(), "00:02") << "half of four seconds";
    const QPoint end = start;  // the knob moved under the mouse
    QMouseEvent release(QEvent::MouseButtonRelease, end, knob->mapToGlobal(end), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(knob, &release);
    EXPECT_FALSE(ui.Text11->isVisible());

    ASSERT_TRUE(WaitFor([&] { return m_state.PlayerThreadEnded; }));
    ASSERT_FALSE(frames.empty()) << "the paused file resumed";
    const int sought = frames.front();
    EXPECT_NEAR(sought, 80, 3);

    // What was heard after the pause is the file from the frame sought on, to its end.
    // The first frame or two after a seek cannot be decoded whole (their main data lies
    // before the seek, the filters have no history yet): they may give no samples or
    // others, so the comparison starts two frames into what came after the seek. A
    // period of the old buffers that the device may have played before the seek
    // reached it shifts that start by whole periods.
    const std::vector<int16_t> captured = m_audio.Captured();
    constexpr size_t PeriodValues = 441 * 2;  // the device's 10 ms periods
    std::optional<size_t> match;
    std::vector<int16_t> expected;
    for (size_t dropped = 0; dropped <= 2 && !match; ++dropped) {
        const size_t from = (static_cast<size_t>(sought) + dropped + 2) * FrameValues;
        expected.assign(whole.begin() + static_cast<std::ptrdiff_t>(from), whole.end());
        for (size_t shift = 0; shift <= 4 && !match; ++shift) {
            const size_t at = heard + shift * PeriodValues + 2 * FrameValues;
            if (at + expected.size() <= captured.size() &&
                std::equal(expected.begin(), expected.end(), captured.begin() + at))
                match = at;
        }
    }
    ASSERT_TRUE(match) << "the capture does not go on with the decode of frame " << sought;
    EXPECT_TRUE(
        std::all_of(captured.begin() + static_cast<std::ptrdiff_t>(*match + expected.size()),
                    captured.end(), [](int16_t s) { return s == 0; }))
        << "after the file's end only the silence that fills the last buffer";
    Close(form);
}

TEST_F(PlayerPanel, TheVolumeKnobAtItsEndsSendsHundredAndZeroAndIsKeptInTheSettings) {
    const QString folder = MakeFolder("volume");
    WriteMp3(folder + "one.mp3", 4);
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    ui.List1->setCurrentRow(0);  // the control's volume is read from an opened file
    QLabel* knob = ui.Picture8;
    auto volume = [&] {
        platform::Variant value;
        EXPECT_FALSE(ui.Aurion1->Caller().CallAs(aurion::host::members::GetVolumeLeftP, {},
                                                 platform::VarType::I4, value));
        return value.AsI4();
    };
    Drag(knob, QPoint(0, -1000));
    EXPECT_EQ(knob->y(), ui.Picture7->y());
    EXPECT_EQ(ui.Text10->text(), "100");
    EXPECT_EQ(volume(), 100);
    EXPECT_FALSE(ui.Text10->isVisible()) << "the tip goes with the button";
    Drag(knob, QPoint(0, 1000));
    EXPECT_EQ(knob->y() + knob->height(), ui.Picture7->y() + ui.Picture7->height());
    EXPECT_EQ(ui.Text10->text(), "0");
    EXPECT_EQ(volume(), 0);
    EXPECT_EQ(form->Player().VolumeKnobTop(), 2940);
    Drag(knob, QPoint(0, -1000));  // the device's volume outlives the window
    Close(form);
    EXPECT_EQ(Setting("Player", "Volume"), "690") << "the knob's top in twips";
}

TEST_F(PlayerPanel, TheLevelMeterFollowsALoudFileAndTheCaptionBarIsRestoredAtTheEnd) {
    const QString folder = MakeFolder("loud");
    WriteMp3(folder + "loud.mp3", 60);
    auto form = StartIn(folder, true);
    const DeckControls ui(*form);
    const int full = Twips(2550);
    EXPECT_EQ(ui.Shape1->height(), full);
    form->showMinimized();
    ui.List1->setCurrentRow(0);
    ASSERT_TRUE(WaitFor([&] { return ui.Shape1->height() < full; }));
    if (form->isMinimized()) {
        ASSERT_TRUE(WaitFor([&] { return form->windowTitle().startsWith('|'); }));
        EXPECT_EQ(form->windowTitle(), QString(form->windowTitle().size(), '|'));
        EXPECT_LE(form->windowTitle().size(), 65);
    }
    ASSERT_TRUE(WaitFor([&] { return m_state.PlayerThreadEnded; }));
    EXPECT_EQ(ui.Shape1->height(), full);
    EXPECT_EQ(form->windowTitle(), m_state.Caption);
    Close(form);
}

}  // namespace
}  // namespace trackdeck::test
