#include "control/player/ControlPicture.h"

#include <algorithm>
#include <span>
#include <string_view>

#include "control/player/ControlBitmaps.h"

namespace aurion {

namespace {

void Blit(std::span<const std::string_view> rows, platform::Image& image) {
    int height = std::min(image.Height, static_cast<int>(rows.size()));
    for (int y = 0; y < height; ++y) {
        std::string_view row = rows[static_cast<size_t>(y)];
        int width = std::min(image.Width, static_cast<int>(row.size()));
        for (int x = 0; x < width; ++x) {
            image.Pixels[static_cast<size_t>(y) * static_cast<size_t>(image.Width) +
                         static_cast<size_t>(x)] = BitmapColor(row[static_cast<size_t>(x)]);
        }
    }
}

void Fill(int width, int height, platform::Image& image) {
    image.Width = width;
    image.Height = height;
    image.Pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), BitmapBackground);
}

}  // namespace

bool DrawControlPicture(int width, int height, platform::Image& image) {
    if (width < 0 || height < 0) return false;
    Fill(width, height, image);
    Blit(ControlBitmapRows(), image);
    return true;
}

void DrawToolboxImage(platform::Image& image) {
    Fill(ToolboxBitmapSize, ToolboxBitmapSize, image);
    Blit(ToolboxBitmapRows(), image);
}

}  // namespace aurion
