// Picture pixels.
#include "ui_shared/platform/picture.h"

namespace kw {

Picture::Picture(int width, int height, uint32_t fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * static_cast<size_t>(height), fill) {}

uint32_t Picture::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) Raise(err::kSubscript);
  return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

void Picture::SetPixel(int x, int y, uint32_t color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) Raise(err::kSubscript);
  pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] = color;
}

}  // namespace kw
