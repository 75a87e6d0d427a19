#include "app/names/FormLayout.h"

namespace trackdeck::names {

void ApplyToolLooks(QWidget& window) {
    window.setStyleSheet(
        "QWidget#" + window.objectName() +
        " { background: #24272b; border: 1px solid #5a6068; }"
        "QLabel, QCheckBox, QRadioButton { color: #c8ccd0; background: transparent; }"
        "QLabel#Label2 { color: #e0e4e8; font-weight: bold; }"
        "QCheckBox::indicator, QRadioButton::indicator { width: 10px; height: 10px;"
        "  background: black; border: 1px solid #8a9098; }"
        "QRadioButton::indicator { border-radius: 6px; }"
        "QCheckBox::indicator:checked, QRadioButton::indicator:checked { background: #30e048;"
        "  border: 1px solid #30e048; }"
        "QLineEdit { background: black; color: #30e048; border: 1px solid #4a4f55;"
        "  border-radius: 2px; padding: 0 3px; selection-background-color: #1f6f2a; }"
        "QPushButton { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4a4d52,"
        "  stop:1 #2a2c30); color: #e0e4e8; border: 1px solid #111; border-radius: 3px;"
        "  padding: 0; font-size: 11px; }"
        "QPushButton:pressed { background: #1a1b1d; }"
        "QFrame#Picture1, QFrame#Picture2 { background: black;"
        "  border: 1px solid #4a4f55; }"
        "QFrame#Shape1, QFrame#Shape2 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
        "  stop:0 #5cf070, stop:1 #1c9a30); border: none; }");
}

}  // namespace trackdeck::names
