// The window "file names from tags": the new name with its extension, the two
// options (typed or built from the tag), the pattern's four boxes with "Neu", and
// "Übernehmen" and "Abbrechen". Layout only; NamesFromTags gives it its behaviour.
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <array>

namespace trackdeck::names {

class Rename : public QWidget {
    Q_OBJECT
public:
    static constexpr int FormWidth = 5580;
    static constexpr int Frame1TopWithPattern = 1725;
    static constexpr int Frame1TopTyped = 1100;

    Rename();

    // Frame1 at `top` twips, the window ending below it.
    void PlaceFrame1(int top);

    QLabel* Label2;
    QLineEdit* Text1;
    QLabel* Label1;
    QLineEdit* Text2;
    QWidget* Frame2;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QWidget* Picture2;
    std::array<QCheckBox*, 4> Checks;  // Check1 to Check4
    QPushButton* Command3;
    QListWidget* ErkennListe;
    QWidget* Frame1;
    QPushButton* Command1;
    QPushButton* Command2;
};

}  // namespace trackdeck::names
