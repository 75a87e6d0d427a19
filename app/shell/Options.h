// The options dialog: the confirmations, the two play options, drag and drop and the
// code page of ID3v1 text.
// Every change takes effect at once: the AppState field and its settings key are
// written in the same step. There is no OK or Cancel: the window's close box ends it.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QWidget>
#include <functional>
#include <utility>

#include "app/common/AppState.h"
#include "app/common/SettingsKeys.h"

namespace trackdeck {

class Options : public QWidget {
public:
    explicit Options(AppState& state, QWidget* parent = nullptr);

    // Centred, topmost, the boxes showing the flags; shown.
    void Load();
    // Called after another ID3v1 code page was chosen, so the tag shown is read anew.
    void OnTagCodePageChanged(std::function<void()> changed) {
        m_tagCodePageChanged = std::move(changed);
    }

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
    QGroupBox* Frame4;  // "ID3v1-Zeichentabelle"
    QComboBox* Combo1;

private:
    QCheckBox* FlagBox(QGroupBox* frame, const char* name, const QString& caption, int top,
                       bool AppState::*flag, const settings::Key& key);
    void ChooseAction(int16_t action);
    void ChooseTagCodePage(int index);

    AppState& m_state;
    std::function<void()> m_tagCodePageChanged;
};

}  // namespace trackdeck
