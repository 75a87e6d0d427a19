#include <gtest/gtest.h>

#include "control/output/PlaybackClock.h"

namespace aurion {
namespace {

TEST(PlaybackClock, MapsTheDevicesFramesBackToTheStreamsAcrossSpeedsAndSilence) {
    PlaybackClock clock;
    EXPECT_EQ(clock.StreamFramesPlayed(0), 0u);
    clock.Queue(1000, 1000);  // normal speed
    clock.Queue(1000, 500);   // shortened to half
    clock.Queue(1000, 2000);  // lengthened to twice
    clock.Queue(300, 300);    // the last samples ...
    clock.Queue(0, 700);      // ... padded with silence
    EXPECT_EQ(clock.StreamFramesPlayed(400), 400u);
    EXPECT_EQ(clock.StreamFramesPlayed(1250), 1500u);
    EXPECT_EQ(clock.StreamFramesPlayed(1500), 2000u);
    EXPECT_EQ(clock.StreamFramesPlayed(2500), 2500u);
    EXPECT_EQ(clock.StreamFramesPlayed(3600), 3100u);
    EXPECT_EQ(clock.StreamFramesPlayed(3900), 3300u);  // in the silence
    EXPECT_EQ(clock.StreamFramesPlayed(4500), 3300u);
    EXPECT_EQ(clock.StreamFramesPlayed(9000), 3300u);  // beyond all that was queued
}

TEST(PlaybackClock, RestartForgetsWhatWasQueuedAndPlayed) {
    PlaybackClock clock;
    clock.Queue(1000, 1000);
    EXPECT_EQ(clock.StreamFramesPlayed(800), 800u);
    clock.Restart();
    EXPECT_EQ(clock.StreamFramesPlayed(0), 0u);
    clock.Queue(100, 200);
    EXPECT_EQ(clock.StreamFramesPlayed(100), 50u);
}

}  // namespace
}  // namespace aurion
