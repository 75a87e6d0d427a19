// The level meter: the gradient Picture3 covered from the top by Shape1, whose
// height falls as the wave-output line's peak meter rises; while the window is
// minimised the same level shows as a bar of "|" in the caption.
#pragma once

#include <QString>
#include <cstdint>

#include "platform/mixer/Mixer.h"

namespace trackdeck {
class frmDeck;
struct AppState;
}  // namespace trackdeck

namespace trackdeck::player {

class LevelMeter {
public:
    static constexpr int BarLength = 65;

    LevelMeter(frmDeck& form, AppState& state);
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
    frmDeck& m_form;
    AppState& m_state;
    platform::MixerHandle m_mixer = nullptr;
    platform::MixerControl m_meter;
    int32_t m_level = 0;
};

}  // namespace trackdeck::player
