// Geometry of the forms is given in twips; the screen has 15 twips per pixel.
#pragma once

#include <QRect>

namespace trackdeck {

inline constexpr int TwipsPerPixel = 15;

[[nodiscard]] constexpr int Twips(int twips) { return twips / TwipsPerPixel; }
[[nodiscard]] constexpr int ToTwips(int pixels) { return pixels * TwipsPerPixel; }
[[nodiscard]] inline QRect TwipsRect(int left, int top, int width, int height) {
    return {Twips(left), Twips(top), Twips(width), Twips(height)};
}

}  // namespace trackdeck
