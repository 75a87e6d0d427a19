// The window "tags from file names": the pattern as text, the separator, the four
// field boxes and the three buttons. Layout only; TagsFromNames gives it its
// behaviour. A frameless tool window, moved by its background.
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>
#include <array>

namespace trackdeck::names {

class FileNameTAG : public QWidget {
    Q_OBJECT
public:
    static constexpr int FormWidth = 5580;
    static constexpr int FormHeight = 2460;

    FileNameTAG();

    QLabel* Label2;
    QLineEdit* Text2;
    QLabel* Label3;
    QLabel* Label1;
    QLineEdit* Text1;
    std::array<QCheckBox*, 4> Checks;  // Check1 to Check4
    QListWidget* ErkennListe;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
};

}  // namespace trackdeck::names
