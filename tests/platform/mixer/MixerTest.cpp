#include <gtest/gtest.h>

#include <vector>

#include "platform/mixer/Mixer.h"
#include "tests/support/Eventually.h"
#include "tests/support/NullAudio.h"
#include "tests/support/WaveOutBuffer.h"

namespace platform {
namespace {

using test::Eventually;
using test::WaveOutBuffer;

class MixerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(MixerOpen(m_mixer, 0), MmResult::NoError);
        MixerLine line;
        ASSERT_EQ(
            MixerGetLineInfoByComponentType(m_mixer, MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, line),
            MmResult::NoError);
        EXPECT_EQ(line.ComponentType, MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT);
        EXPECT_EQ(line.Controls, 1u);
        m_lineId = line.LineId;
        ASSERT_EQ(MixerGetLineControlByType(m_mixer, m_lineId, MIXERCONTROL_CONTROLTYPE_PEAKMETER,
                                            m_meter),
                  MmResult::NoError);
    }
    void TearDown() override { EXPECT_EQ(MixerClose(m_mixer), MmResult::NoError); }

    int32_t Level() {
        int32_t value = -1;
        EXPECT_EQ(MixerGetControlValue(m_mixer, m_meter.ControlId, value), MmResult::NoError);
        return value;
    }

    MixerHandle m_mixer = nullptr;
    uint32_t m_lineId = 0;
    MixerControl m_meter;
};

TEST_F(MixerTest, PeakMeterOfTheWaveOutputLine) {
    EXPECT_EQ(MixerGetNumDevs(), 1u);
    EXPECT_EQ(m_meter.ControlType, MIXERCONTROL_CONTROLTYPE_PEAKMETER);
    EXPECT_EQ(m_meter.Minimum, 0);
    EXPECT_EQ(m_meter.Maximum, 32767);
    EXPECT_EQ(Level(), 0);
}

TEST_F(MixerTest, PeakFollowsWhatIsPlayedAfterVolume) {
    test::NullAudio audio;
    WaveFormat format;  // 44.1 kHz stereo
    WaveOutHandle device = nullptr;
    ASSERT_EQ(WaveOutOpen(device, 0, format), MmResult::NoError);
    ASSERT_EQ(WaveOutSetVolume(device, 0x8000'8000), MmResult::NoError);
    // 100 ms of a square wave whose loudest sample is -20000 on the right channel.
    std::vector<int16_t> samples(4410 * 2);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(i % 2 == 0 ? 12000 : ((i / 2) % 2 == 0 ? 20000 : -20000));
    WaveOutBuffer buffer(samples);
    ASSERT_EQ(WaveOutPrepareHeader(device, buffer.Header), MmResult::NoError);
    ASSERT_EQ(WaveOutWrite(device, buffer.Header), MmResult::NoError);

    const int32_t expected = 20000 * 0x8000 / 65535;
    EXPECT_TRUE(Eventually([&] { return Level() == expected; }));
    ASSERT_TRUE(Eventually(
        [&] { return WaveOutUnprepareHeader(device, buffer.Header) == MmResult::NoError; }));
    // Nothing plays any more: within 50 ms the meter falls to 0, and with the device
    // closed (its playback thread ended) nothing is left to raise it again.
    EXPECT_TRUE(Eventually([&] { return Level() == 0; }));
    WaveOutSetVolume(device, 0xFFFF'FFFF);
    EXPECT_EQ(WaveOutClose(device), MmResult::NoError);
    EXPECT_EQ(Level(), 0);
}

TEST_F(MixerTest, OtherDevicesLinesAndControlsGiveErrors) {
    MixerHandle other = nullptr;
    EXPECT_EQ(MixerOpen(other, 1), MmResult::BadDeviceId);
    MixerLine line;
    EXPECT_NE(MixerGetLineInfoByComponentType(m_mixer, 4100, line), MmResult::NoError);
    MixerControl control;
    EXPECT_NE(MixerGetLineControlByType(m_mixer, m_lineId, 0x50030001, control), MmResult::NoError);
    EXPECT_NE(MixerGetLineControlByType(m_mixer, m_lineId + 1, MIXERCONTROL_CONTROLTYPE_PEAKMETER,
                                        control),
              MmResult::NoError);
    int32_t value = 0;
    EXPECT_NE(MixerGetControlValue(m_mixer, m_meter.ControlId + 1, value), MmResult::NoError);
    EXPECT_EQ(MixerGetControlValue(nullptr, m_meter.ControlId, value), MmResult::InvalidHandle);
    EXPECT_EQ(MixerClose(nullptr), MmResult::InvalidHandle);
}

}  // namespace
}  // namespace platform
