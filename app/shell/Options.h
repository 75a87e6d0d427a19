// The options dialog: the confirmations, the two play options and drag and drop.
// Every change takes effect at once: the AppState field and its settings key are
// written in the same step. There is no OK or Cancel: the window's close box ends it.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QWidget>

#include "app/common/AppState.h"
#include "app/common/SettingsKeys.h"

namespace trackdeck {

class Options : public QWidget {
public:
    explicit Options(AppState& state, QWidget* parent = nullptr);

    // Centred, topmost, the boxes showing the flags; shown.
    void Load();

    QGroupBox* Frame1;  // "Bestätigungen"
    QCheckBox* Check6;
    QCheckBox* Check3;
    QCheckBox* Check2;
    QCheckBox* Check1;
    QGroupBox* Frame2;  // "Play-Optionen"
    QCheckBox* Check5;
    QCheckBox* Check4;
    QGroupBox* Frame3;  // "Drag && Drop"
    QCheckBox* Check8;
    QLabel* Label1;
    QRadioButton* Option1;
    QRadioButton* Option2;

private:
    QCheckBox* FlagBox(QGroupBox* frame, const char* name, const QString& caption, int top,
                       bool AppState::*flag, const settings::Key& key);
    void ChooseAction(int16_t action);

    AppState& m_state;
};

}  // namespace trackdeck
