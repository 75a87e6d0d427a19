// The program's one look: dark windows, grey text, black fields and lists with
// green text, dark gradient buttons. It is the application's, so that everything
// the program shows has it, also what Qt makes on the program's behalf: message
// boxes, context menus, drop-down lists, scroll bars, tool tips, progress windows.
// The rules that belong to one window only are scoped by that window's object name,
// so that a control name shared by two windows (Label2, Command2, Shape1) keeps each
// its own look.
//
// The forms have fixed geometry in pixels (twips at 15 a pixel), so the font is given
// in pixels too: its captions fit whatever font size the desktop would choose.
#pragma once

class QApplication;

namespace trackdeck {

// The family the forms are fitted to (Debian's fonts-dejavu-core) and its size.
inline constexpr const char* FontFamily = "DejaVu Sans";
inline constexpr int FontPixels = 12;

// Gives the application its style, palette, font and stylesheet; once, before the
// first window.
void ApplyLooks(QApplication& application);

}  // namespace trackdeck
