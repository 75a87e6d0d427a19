// The program's one look: dark windows, grey text, black fields and lists with
// green text, dark gradient buttons. One stylesheet serves every window; the rules
// that belong to one window only are scoped by that window's object name, so that a
// control name shared by two windows (Label2, Command2, Shape1) keeps each its own look.
// The options dialog keeps the desktop's own light look and does not use it.
#pragma once

class QWidget;

namespace trackdeck {

// Gives the window (for the main window: its client area) the program's stylesheet.
void ApplyLooks(QWidget& window);

}  // namespace trackdeck
