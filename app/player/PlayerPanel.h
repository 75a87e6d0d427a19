// The player panel: the Play, Pause and Stop picture buttons, the position and
// volume sliders with their tips, the time and bit-rate fields, Timer1 and the
// control's ActFrame and ThreadEnded events with continuous play through a folder.
#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "app/player/LevelMeter.h"

namespace trackdeck {
class frmDeck;
struct AppState;
}  // namespace trackdeck

namespace trackdeck::player {

class PlayerPanel : public QObject {
public:
    PlayerPanel(frmDeck& form, AppState& state);

    // Loads CurrentFile into the panel (tag, total time, bit rate); plays it with ClickPlay.
    void ShowCurrentFile();
    // Loads and plays a file: continuous play's next entry.
    void PlayCurrentFile(const QString& path);

    void PlayClicked();
    void PauseClicked();
    void StopClicked();
    void OnActFrame(int frame);
    void OnThreadEnded();

    [[nodiscard]] LevelMeter& Meter() { return m_meter; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LoadFile(const QString& path);
    // Play with the knob shown and Timer1 on. A Play that starts nothing (a file the
    // control could not open) brings no ThreadEnded, so the flag is on again at once.
    void StartPlaying();
    void PositionKnob(QEvent* event);
    void VolumeKnob(QEvent* event);
    [[nodiscard]] int32_t FrameCount() const;

    frmDeck& m_form;
    AppState& m_state;
    LevelMeter m_meter;
    std::optional<int> m_grabX;
    std::optional<int> m_grabY;
};

}  // namespace trackdeck::player
