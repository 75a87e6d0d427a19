#include "app/common/Looks.h"

#include <QWidget>

namespace trackdeck {

namespace {

// The windows by their object names: ClientArea is the main window's client area;
// FileNameTAG, Rename, Decode and TransferProgress are the tool windows.
const char* const StyleSheet = R"(
#ClientArea, #Such, #VerzListe,
#FileNameTAG, #Rename, #Decode, #TransferProgress { background: #24272b; }
#FileNameTAG, #Rename, #Decode, #TransferProgress { border: 1px solid #5a6068; }

QLabel, QCheckBox, QRadioButton { color: #c8ccd0; }
QLabel { background: transparent; }
QCheckBox { font-weight: normal; }
QLineEdit { background: black; color: #30e048; border: 1px solid #4a4f55;
  border-radius: 2px; padding: 0 3px; selection-background-color: #1f6f2a; }
QLineEdit:disabled { color: #1c7a2a; }
QListWidget, QTreeWidget { background: black; border: 1px solid #4a4f55; }
QTreeWidget { color: #c8ccd0; }
QListWidget::item:selected { background: #1f4f8f; }
QComboBox { background: black; color: #c8ccd0; border: 1px solid #4a4f55; padding: 0 4px; }
QComboBox QAbstractItemView { background: black; color: #c8ccd0; }
QPushButton { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4a4d52,
  stop:1 #2a2c30); color: #e0e4e8; border: 1px solid #111; border-radius: 3px; padding: 0; }
QPushButton:pressed { background: #1a1b1d; }
QGroupBox { color: #c8ccd0; font-weight: bold; border: 1px solid #4a4f55;
  border-radius: 4px; margin-top: 9px; padding-top: 4px; }
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; }

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
#ClientArea #Command2 { font-size: 10px; }
#ClientArea #Text6 { padding: 0; }

/* The search window and the path list: green on black. */
#Such #Label3 { color: #30e048; }
#Such QListWidget, #VerzListe QListWidget { color: #30e048; }
#Such QListWidget::item:selected, #VerzListe QListWidget::item:selected { color: white; }

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
#TransferProgress QProgressBar { background: black; color: #e0e4e8;
  border: 1px solid #4a4f55; text-align: center; }
#TransferProgress QProgressBar::chunk { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
  stop:0 #5cf070, stop:1 #1c9a30); }
#TransferProgress QPushButton { min-width: 90px; min-height: 22px; }
)";

}  // namespace

void ApplyLooks(QWidget& window) { window.setStyleSheet(QString::fromLatin1(StyleSheet)); }

}  // namespace trackdeck
