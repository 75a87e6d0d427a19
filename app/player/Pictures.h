// The program's own pictures, drawn at twice the pixel density so they stay crisp
// on high-DPI screens: the player buttons released and pressed, the search button,
// the two slider knobs and the level meter's gradient.
#pragma once

#include <QPixmap>

namespace trackdeck::pictures {

enum class Button { Play, Pause, Stop, Search };

[[nodiscard]] QPixmap ButtonPicture(Button button, bool pressed, QSize size);
// The knob of a slider: `horizontal` for the position knob, else the volume knob.
[[nodiscard]] QPixmap KnobPicture(bool horizontal, QSize size);
// Green at the bottom through yellow to red at the top.
[[nodiscard]] QPixmap LevelGradient(QSize size);

}  // namespace trackdeck::pictures
