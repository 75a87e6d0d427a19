// Placing windows: centred a little above the screen's middle, and above all others.
#pragma once

class QWidget;

namespace trackdeck {

// Top = R(screen height x 0.95) div 2 - R(window height) div 2, left centred.
void CenterForm(QWidget& window);
// Keeps the window above the others without moving it, then lets events run.
void MakeTopmost(QWidget& window);

}  // namespace trackdeck
