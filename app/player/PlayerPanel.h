// The player panel: the Play, Pause and Stop picture buttons, the position and
// volume sliders with their tips, the time and bit-rate fields, Timer1 and the
// control's ActFrame and ThreadEnded events with continuous play through a folder.
//
// The other parts reach the player through two doors: ShowCurrentFile loads the file
// the browser has chosen, and Stop ends playback before the program touches a file
// or changes what the panel shows.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>

#include "app/common/ActivePane.h"
#include "app/common/AppState.h"
#include "app/common/ClickableLabel.h"
#include "app/player/AurionControl.h"
#include "app/player/LevelMeter.h"
#include "app/tags/TagArea.h"

namespace trackdeck::player {

struct PlayerWidgets {
    QWidget* Window = nullptr;          // the main window, whose caption the meter uses
    QLineEdit* Text9 = nullptr;         // bit rate
    QLineEdit* Text4 = nullptr;         // current time
    QLineEdit* Text3 = nullptr;         // total time
    ClickableLabel* Image1 = nullptr;   // Play
    ClickableLabel* Image7 = nullptr;   // Pause
    ClickableLabel* Image6 = nullptr;   // Stop
    ClickableLabel* Image10 = nullptr;  // the search button, pressed and released like these
    QLabel* Picture5 = nullptr;         // the position slider: track,
    QLabel* Label14 = nullptr;          // scale,
    QLabel* Picture6 = nullptr;         // knob
    QLineEdit* Text11 = nullptr;        // and time tip
    QLabel* Picture7 = nullptr;         // the volume slider: track,
    QLabel* Label13 = nullptr;          // scale,
    QLabel* Picture8 = nullptr;         // knob
    QLineEdit* Text10 = nullptr;        // and value tip
    QLabel* Shape1 = nullptr;           // the level meter's cover
    QTimer* Timer1 = nullptr;
    AurionControl* Aurion1 = nullptr;
};

class PlayerPanel : public QObject {
public:
    // Whether Stop returns at once or once the control's thread has ended.
    enum class Wait { No, ForThread };

    // `refreshPane` reads a pane's list afresh (continuous play does so before it moves on).
    PlayerPanel(PlayerWidgets widgets, PaneLists lists, tags::TagArea& tagArea, AppState& state,
                std::function<void(int pane)> refreshPane, QObject* parent);

    // Loads CurrentFile into the panel (tag, total time, bit rate); plays it with ClickPlay.
    void ShowCurrentFile();
    // Loads and plays a file: continuous play's next entry.
    void PlayCurrentFile(const QString& path);
    // A stop of the program's own, before it touches the file or changes what the panel
    // shows: PlayerStopRequested on (so continuous play does not move on),
    // PlayerEndReached off, the control's Stop and Close, the current time emptied.
    // Wait::ForThread returns once the control's thread has ended, letting window
    // events run meanwhile, so that the control holds no file any more.
    void Stop(Wait wait);
    // Waits, letting window events run, until the control's thread has ended.
    void WaitForThread();
    // The current time emptied (after a batch, whose frames the panel showed).
    void ClearCurrentTime();

    void PlayClicked();
    void PauseClicked();
    void StopClicked();
    void OnActFrame(int frame);
    void OnThreadEnded();

    // The position knob at the start of its track: the panel's idle look.
    void ShowKnobAtStart();
    // The volume knob at `top` twips (the settings keep it so), its tip showing the
    // volume, which the control is given; the knob shown.
    void PlaceVolumeKnob(int top);
    [[nodiscard]] int VolumeKnobTop() const { return m_volumeKnobTop; }
    [[nodiscard]] AurionControl& Control() const { return *m_widgets.Aurion1; }

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
    [[nodiscard]] int VolumeAt(int knobTop) const;

    PlayerWidgets m_widgets;
    PaneLists m_lists;
    tags::TagArea& m_tagArea;
    AppState& m_state;
    std::function<void(int pane)> m_refreshPane;
    LevelMeter m_meter;
    int m_volumeKnobTop = 0;  // twips
    std::optional<int> m_grabX;
    std::optional<int> m_grabY;
};

}  // namespace trackdeck::player
