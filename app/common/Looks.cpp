#include "app/common/Looks.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyleFactory>

namespace trackdeck {

namespace {

// The few colours of the look, by their role.
namespace colour {
constexpr QRgb Window = 0x24272b;
constexpr QRgb Raised = 0x3a3d42;  // buttons, menus, the frames of tips
constexpr QRgb Frame = 0x4a4f55;
constexpr QRgb Caption = 0xc8ccd0;
constexpr QRgb Bright = 0xe0e4e8;
constexpr QRgb Field = 0x000000;
constexpr QRgb Selection = 0x1f4f8f;
constexpr QRgb Dimmed = 0x6a7078;
}  // namespace colour

// What Qt's style draws without a rule of the stylesheet (check marks, arrows, the
// parts of dialogs that Qt makes) takes its colours from here.
QPalette DarkPalette() {
    QPalette palette;
    auto set = [&palette](QPalette::ColorRole role, QRgb rgb) {
        palette.setColor(role, QColor::fromRgb(rgb));
    };
    set(QPalette::Window, colour::Window);
    set(QPalette::WindowText, colour::Caption);
    set(QPalette::Base, colour::Field);
    set(QPalette::AlternateBase, 0x111214);
    set(QPalette::Text, colour::Caption);
    set(QPalette::PlaceholderText, 0x3f7a4a);
    set(QPalette::Button, colour::Raised);
    set(QPalette::ButtonText, colour::Bright);
    set(QPalette::BrightText, 0xffffff);
    set(QPalette::Highlight, colour::Selection);
    set(QPalette::HighlightedText, 0xffffff);
    set(QPalette::ToolTipBase, colour::Raised);
    set(QPalette::ToolTipText, colour::Bright);
    set(QPalette::Link, 0x5fa8ff);
    set(QPalette::Light, 0x5a6068);
    set(QPalette::Midlight, colour::Frame);
    set(QPalette::Mid, 0x2e3236);
    set(QPalette::Dark, 0x17191b);
    set(QPalette::Shadow, 0x000000);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor::fromRgb(colour::Dimmed));
    return palette;
}

// The windows by their object names: ClientArea is the main window's client area;
// FileNameTAG, Rename, Decode and TransferProgress are the tool windows.
const char* const StyleSheet = R"(
#ClientArea, #Such, #VerzListe, #Options, #NewOrdner, QMessageBox,
#FileNameTAG, #Rename, #Decode, #TransferProgress { background: #24272b; }
#FileNameTAG, #Rename, #Decode, #TransferProgress { border: 1px solid #5a6068; }

QLabel, QCheckBox, QRadioButton { color: #c8ccd0; }
QLabel { background: transparent; }
QCheckBox, QRadioButton { font-weight: normal; }
QLineEdit { background: black; color: #30e048; border: 1px solid #4a4f55;
  border-radius: 2px; padding: 0 3px; selection-background-color: #1f6f2a; }
QLineEdit:disabled { color: #1c7a2a; }
QListWidget, QTreeWidget { background: black; border: 1px solid #4a4f55; }
QTreeWidget { color: #c8ccd0; }
QListWidget::item:selected, QTreeWidget::item:selected { background: #1f4f8f; color: white; }
QComboBox { background: black; color: #c8ccd0; border: 1px solid #4a4f55; padding: 0 4px; }
QComboBox:on { border-color: #5a6068; }
QComboBox QAbstractItemView { background: black; color: #c8ccd0; border: 1px solid #5a6068;
  selection-background-color: #1f4f8f; selection-color: white; outline: 0; }
QPushButton { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4a4d52,
  stop:1 #2a2c30); color: #e0e4e8; border: 1px solid #111; border-radius: 3px; padding: 0; }
QPushButton:pressed { background: #1a1b1d; }
QPushButton:default { border-color: #30e048; }
QPushButton:disabled { color: #6a7078; }
QGroupBox { color: #c8ccd0; font-weight: bold; border: 1px solid #4a4f55;
  border-radius: 4px; margin-top: 9px; padding-top: 4px; }
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; }

/* What Qt shows on the program's behalf. */
QMenu { background: #2a2d31; color: #e0e4e8; border: 1px solid #5a6068; padding: 3px 0; }
QMenu::item { padding: 3px 24px 3px 16px; }
QMenu::item:selected { background: #1f4f8f; color: white; }
QMenu::separator { height: 1px; background: #4a4f55; margin: 3px 8px; }
QToolTip { background: #3a3d42; color: #e0e4e8; border: 1px solid #5a6068; padding: 1px 3px; }
QMessageBox QLabel { color: #e0e4e8; }
/* Buttons in the layouts Qt makes; the forms' buttons keep their own sizes. */
QMessageBox QPushButton, QProgressDialog QPushButton {
  min-width: 72px; min-height: 22px; padding: 0 10px; }
QProgressBar { background: black; color: #e0e4e8; border: 1px solid #4a4f55;
  text-align: center; }
QProgressBar::chunk { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
  stop:0 #5cf070, stop:1 #1c9a30); }
QScrollBar:vertical { background: #101113; width: 12px; margin: 0; border: none; }
QScrollBar:horizontal { background: #101113; height: 12px; margin: 0; border: none; }
QScrollBar::handle { background: #4a4f55; border-radius: 4px; }
QScrollBar::handle:hover { background: #5a6068; }
QScrollBar::handle:vertical { min-height: 24px; margin: 2px 2px; }
QScrollBar::handle:horizontal { min-width: 24px; margin: 2px 2px; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; border: none; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }
QAbstractScrollArea::corner { background: #101113; }

#ClientArea QPushButton, #FileNameTAG QPushButton, #Rename QPushButton,
#Decode QPushButton, #TransferProgress QPushButton { font-size: 11px; }

/* The main window: the list colours of the panes come from their palettes. */
#ClientArea #Label12 { color: #30e048; font-weight: bold; border: 1px solid #30e048;
  border-radius: 3px; }
#ClientArea #Picture5, #ClientArea #Picture7 { background: #0b0b0b;
  border: 1px solid #4a4f55; }
#ClientArea #Picture3 { border: 1px solid #4a4f55; }
#ClientArea #Shape1 { background: black; }
#ClientArea #Text13, #ClientArea #Text14 { background: #ffffe1; color: black;
  padding: 0 1px; }
/* Captions longer than their buttons are wide get a smaller font. */
#ClientArea #Command9, #ClientArea #Command3 { font-size: 10px; }
#ClientArea #Command2, #ClientArea #Command11 { font-size: 9px; }
#ClientArea #Text6 { padding: 0; }
#ClientArea #Label7 { font-size: 10px; }
/* The volume while the knob is dragged: a tip, as wide as "100 %". */
#ClientArea #Text10 { background: #3a3d42; color: #e0e4e8; border: 1px solid #5a6068;
  border-radius: 0; padding: 0; font-size: 10px; }
/* The position knob reaches over the edges of the folder trees and the lists: they
   keep their entries clear of it. */
#ClientArea #List1, #ClientArea #List2 { padding-top: 6px; }
#ClientArea #Dir1, #ClientArea #Dir2 { padding-bottom: 7px; }

/* The search window and the path list: green on black. */
#Such #Label3 { color: #30e048; }
#Such QListWidget, #VerzListe QListWidget { color: #30e048; }

/* The tool windows. */
#FileNameTAG #Label2, #Rename #Label2 { color: #e0e4e8; font-weight: bold; }
#FileNameTAG QCheckBox, #Rename QCheckBox, #Rename QRadioButton { background: transparent; }
#FileNameTAG QCheckBox::indicator, #Rename QCheckBox::indicator,
#Rename QRadioButton::indicator { width: 10px; height: 10px; background: black;
  border: 1px solid #8a9098; }
#Rename QRadioButton::indicator { border-radius: 6px; }
#FileNameTAG QCheckBox::indicator:checked, #Rename QCheckBox::indicator:checked,
#Rename QRadioButton::indicator:checked { background: #30e048; border: 1px solid #30e048; }
#Decode #Picture1, #Decode #Picture2 { background: black; border: 1px solid #4a4f55; }
#Decode #Shape1, #Decode #Shape2 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
  stop:0 #5cf070, stop:1 #1c9a30); border: none; }
#TransferProgress QPushButton { min-width: 90px; min-height: 22px; }
#Options QRadioButton { spacing: 3px; }
)";

}  // namespace

void ApplyLooks(QApplication& application) {
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setPalette(DarkPalette());
    QFont font(QString::fromLatin1(FontFamily));
    font.setPixelSize(FontPixels);
    QApplication::setFont(font);
    application.setStyleSheet(QString::fromLatin1(StyleSheet));
}

}  // namespace trackdeck
