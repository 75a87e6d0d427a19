#include "app/player/LevelMeter.h"

#include <algorithm>
#include <cmath>

#include "app/common/Twips.h"

namespace trackdeck::player {

namespace {

constexpr int PictureHeight = 2550;

}  // namespace

LevelMeter::LevelMeter(QWidget& window, QLabel& cover, const AppState& state)
    : m_window(window), m_cover(cover), m_state(state) {
    // Without a meter the maximum stays 0 and the bar never moves; nothing is reported.
    if (platform::MixerOpen(m_mixer, 0) != platform::MmResult::NoError) {
        m_mixer = nullptr;
        return;
    }
    platform::MixerLine line;
    if (platform::MixerGetLineInfoByComponentType(m_mixer,
                                                  platform::MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT,
                                                  line) != platform::MmResult::NoError)
        return;
    platform::MixerControl meter;
    if (platform::MixerGetLineControlByType(m_mixer, line.LineId,
                                            platform::MIXERCONTROL_CONTROLTYPE_PEAKMETER,
                                            meter) == platform::MmResult::NoError)
        m_meter = meter;
}

LevelMeter::~LevelMeter() {
    if (m_mixer != nullptr) (void)platform::MixerClose(m_mixer);
}

int LevelMeter::CoverHeight(int pictureHeight, int32_t level, int32_t maximum) {
    if (maximum <= 0) return pictureHeight;
    const double covered = pictureHeight - static_cast<double>(pictureHeight) / maximum * level;
    return std::max(0, static_cast<int>(std::lround(covered)));
}

QString LevelMeter::CaptionBar(int32_t level, int32_t maximum) {
    if (maximum <= 0) return {};
    const auto length =
        static_cast<int>(std::lround(static_cast<double>(BarLength) / maximum * level));
    return QString(std::clamp(length, 0, BarLength), '|');
}

void LevelMeter::Tick() {
    if (m_mixer == nullptr || m_meter.Maximum <= 0) return;
    int32_t value = 0;
    if (platform::MixerGetControlValue(m_mixer, m_meter.ControlId, value) !=
        platform::MmResult::NoError)
        return;
    m_level = value < 0 ? -value : value;
    m_cover.setFixedHeight(Twips(CoverHeight(PictureHeight, m_level, m_meter.Maximum)));
    if (m_window.isMinimized()) m_window.setWindowTitle(CaptionBar(m_level, m_meter.Maximum));
}

void LevelMeter::Reset() {
    m_cover.setFixedHeight(Twips(PictureHeight));
    m_window.setWindowTitle(m_state.Caption);
}

}  // namespace trackdeck::player
