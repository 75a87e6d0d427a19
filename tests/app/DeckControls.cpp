#include "tests/app/DeckControls.h"

#include <gtest/gtest.h>

namespace trackdeck::test {

namespace {

template <class Control>
Control* Find(const QWidget& form, const char* name) {
    auto* control = form.findChild<Control*>(name);
    if (control == nullptr) ADD_FAILURE() << "the main window has no control " << name;
    return control;
}

}  // namespace

DeckControls::DeckControls(const QWidget& form)
    : Drive1(Find<browser::DriveBox>(form, "Drive1")),
      Dir1(Find<browser::FolderTree>(form, "Dir1")),
      List1(Find<QListWidget>(form, "List1")),
      Drive2(Find<browser::DriveBox>(form, "Drive2")),
      Dir2(Find<browser::FolderTree>(form, "Dir2")),
      File2(Find<browser::FileList>(form, "File2")),
      List2(Find<QListWidget>(form, "List2")),
      Text5(Find<QLineEdit>(form, "Text5")),
      Text1(Find<QLineEdit>(form, "Text1")),
      Text2(Find<QLineEdit>(form, "Text2")),
      Text6(Find<QLineEdit>(form, "Text6")),
      Text8(Find<QLineEdit>(form, "Text8")),
      Text7(Find<QLineEdit>(form, "Text7")),
      Text12(Find<QLineEdit>(form, "Text12")),
      Command2(Find<QPushButton>(form, "Command2")),
      Command11(Find<QPushButton>(form, "Command11")),
      Command4{Find<QPushButton>(form, "Command4(0)"), Find<QPushButton>(form, "Command4(1)"),
               Find<QPushButton>(form, "Command4(2)"), Find<QPushButton>(form, "Command4(3)")},
      Text13(Find<QLineEdit>(form, "Text13")),
      Text14(Find<QLineEdit>(form, "Text14")),
      Command1(Find<QPushButton>(form, "Command1")),
      Label12(Find<ClickableLabel>(form, "Label12")),
      Text9(Find<QLineEdit>(form, "Text9")),
      Text4(Find<QLineEdit>(form, "Text4")),
      Text3(Find<QLineEdit>(form, "Text3")),
      Image1(Find<ClickableLabel>(form, "Image1")),
      Image7(Find<ClickableLabel>(form, "Image7")),
      Image6(Find<ClickableLabel>(form, "Image6")),
      Image10(Find<ClickableLabel>(form, "Image10")),
      Label14(Find<QLabel>(form, "Label14")),
      Picture6(Find<QLabel>(form, "Picture6")),
      Text11(Find<QLineEdit>(form, "Text11")),
      Picture7(Find<QLabel>(form, "Picture7")),
      Picture8(Find<QLabel>(form, "Picture8")),
      Text10(Find<QLineEdit>(form, "Text10")),
      Picture3(Find<QLabel>(form, "Picture3")),
      Shape1(Find<QLabel>(form, "Shape1")),
      Timer1(Find<QTimer>(form, "Timer1")),
      Aurion1(Find<player::AurionControl>(form, "Aurion1")),
      Command9(Find<QPushButton>(form, "Command9")),
      Command3(Find<QPushButton>(form, "Command3")),
      Command5(Find<QPushButton>(form, "Command5")),
      Command6(Find<QPushButton>(form, "Command6")),
      Command7(Find<QPushButton>(form, "Command7")),
      Command8(Find<QPushButton>(form, "Command8")),
      Command10(Find<QPushButton>(form, "Command10")),
      Menu(Find<QMenu>(form, "Menu")),
      Verzeichnis(Find<QMenu>(form, "Verzeichnis")) {}

}  // namespace trackdeck::test
