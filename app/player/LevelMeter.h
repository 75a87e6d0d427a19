// The level meter: the gradient Picture3 covered from the top by Shape1, whose
// height falls as the wave-output line's peak meter rises; while the window is
// minimised the same level shows as a bar of "|" in the caption.
#pragma once

#include <QLabel>
#include <QString>
#include <cstdint>

#include "app/common/AppState.h"
#include "platform/mixer/Mixer.h"

namespace trackdeck::player {

class LevelMeter {
public:
    static constexpr int BarLength = 65;

    // `window` is the main window, whose caption shows the level while it is minimised;
    // `cover` is Shape1.
    LevelMeter(QWidget& window, QLabel& cover, const AppState& state);
    // The mixer goes with the window, so windows made one after another keep none open.
    ~LevelMeter();
    LevelMeter(const LevelMeter&) = delete;
    LevelMeter& operator=(const LevelMeter&) = delete;

    // One tick of Timer1: reads the meter and shows the level.
    void Tick();
    // Playback has ended: the cover at full height, the program's caption back.
    void Reset();

    // The cover's height in twips for a level; full without a meter.
    [[nodiscard]] static int CoverHeight(int pictureHeight, int32_t level, int32_t maximum);
    // The caption bar for a level: up to 65 "|"; empty without a meter.
    [[nodiscard]] static QString CaptionBar(int32_t level, int32_t maximum);

private:
    QWidget& m_window;
    QLabel& m_cover;
    const AppState& m_state;
    platform::MixerHandle m_mixer = nullptr;
    platform::MixerControl m_meter;
    int32_t m_level = 0;
};

}  // namespace trackdeck::player
