// The pictures of drag and drop between the panes, drawn at twice the pixel
// density so they stay crisp on high-DPI screens: the neutral icon of a drag that
// is not over the other list, the drop icon of one that is, and the pointer a list
// shows while the other list drags.
#pragma once

#include <QCursor>
#include <QPixmap>

namespace trackdeck::browser {

[[nodiscard]] QPixmap NeutralDragIcon();
[[nodiscard]] QPixmap DropDragIcon();
[[nodiscard]] QCursor DropTargetPointer();

}  // namespace trackdeck::browser
