// The control's two pictures as rows of colour codes: the 48 x 48 bitmap drawn at
// the top-left corner of the control and the 16 x 16 toolbox image. Every row has
// exactly as many codes as the bitmap is wide.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace aurion {

inline constexpr int ControlBitmapSize = 48;
inline constexpr int ToolboxBitmapSize = 16;
inline constexpr uint32_t BitmapBackground = 0xFFFFFFFFu;  // opaque white, 0xAARRGGBB

[[nodiscard]] std::span<const std::string_view> ControlBitmapRows();
[[nodiscard]] std::span<const std::string_view> ToolboxBitmapRows();
// The 0xAARRGGBB colour of one code; unknown codes are the white background.
[[nodiscard]] uint32_t BitmapColor(char code);

}  // namespace aurion
