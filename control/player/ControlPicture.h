// Rendering of the control's appearance: its rectangle painted white with the
// 48 x 48 bitmap at the top-left corner (clipped when the rectangle is smaller),
// and the 16 x 16 toolbox image.
#pragma once

#include "platform/com/ControlSite.h"

namespace aurion {

// False for a negative size.
bool DrawControlPicture(int width, int height, platform::Image& image);
void DrawToolboxImage(platform::Image& image);

}  // namespace aurion
