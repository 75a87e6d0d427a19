// Two windows side by side, together centred across the screen: the main window
// on the left, the other (the search window, the path list) right beside it.
#pragma once

class QWidget;

namespace trackdeck {

enum class BesideTop { Unchanged, CentredOnMain };

void PlaceSideBySide(QWidget& main, QWidget& beside, BesideTop top);

}  // namespace trackdeck
