// The main window's controls as the tests reach them: found by the names the layout
// gives them (the window keeps its widgets to itself). A control that is missing is
// a failure of the test that looks for it.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <array>

#include "app/browser/PaneWidgets.h"
#include "app/common/ClickableLabel.h"
#include "app/player/AurionControl.h"

namespace trackdeck::test {

struct DeckControls {
    explicit DeckControls(const QWidget& form);

    // The panes
    browser::DriveBox* Drive1;
    browser::FolderTree* Dir1;
    QListWidget* List1;
    browser::DriveBox* Drive2;
    browser::FolderTree* Dir2;
    browser::FileList* File2;
    QListWidget* List2;
    // The tag area
    QLineEdit* Text5;
    QLineEdit* Text1;
    QLineEdit* Text2;
    QLineEdit* Text6;
    QLineEdit* Text8;
    QLineEdit* Text7;
    QLineEdit* Text12;
    QPushButton* Command2;
    QPushButton* Command11;
    std::array<QPushButton*, 4> Command4;
    QLineEdit* Text13;
    QLineEdit* Text14;
    QPushButton* Command1;
    ClickableLabel* Label12;
    // The player panel
    QLineEdit* Text9;
    QLineEdit* Text4;
    QLineEdit* Text3;
    ClickableLabel* Image1;
    ClickableLabel* Image7;
    ClickableLabel* Image6;
    ClickableLabel* Image10;
    QLabel* Label14;
    QLabel* Picture6;
    QLineEdit* Text11;
    QLabel* Picture7;
    QLabel* Picture8;
    QLineEdit* Text10;
    QLabel* Picture3;
    QLabel* Shape1;
    QTimer* Timer1;
    player::AurionControl* Aurion1;
    // The buttons and the context menus
    QPushButton* Command9;
    QPushButton* Command3;
    QPushButton* Command5;
    QPushButton* Command6;
    QPushButton* Command7;
    QPushButton* Command8;
    QPushButton* Command10;
    QMenu* Menu;
    QMenu* Verzeichnis;
};

}  // namespace trackdeck::test
