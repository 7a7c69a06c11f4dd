// Picture: an image as forms, dialogs and command bars pass it around (icons, button images):
// a width, a height and 0x00BBGGRR pixels, row by row.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui_shared/platform/object.h"

namespace kw {

// An image as forms, dialogs and command bars pass it around (icons, button images): a width, a
// height and 0x00BBGGRR pixels, row by row.
class Picture : public Object {
 public:
  // A picture of `width` by `height` pixels, all of colour `fill`.
  Picture(int width, int height, uint32_t fill = 0);
  std::string TypeName() const override { return "Picture"; }

  // The width in pixels.
  int Width() const { return width_; }
  // The height in pixels.
  int Height() const { return height_; }
  uint32_t Pixel(int x, int y) const;  // 9 outside the picture
  // Colours one pixel; 9 outside the picture.
  void SetPixel(int x, int y, uint32_t color);
  // The pixels row by row, each 0x00BBGGRR.
  const std::vector<uint32_t>& Pixels() const { return pixels_; }

 private:
  int width_;
  int height_;
  std::vector<uint32_t> pixels_;
};

// A shared reference to a picture; nothing is the null pointer.
using PicturePtr = std::shared_ptr<Picture>;

}  // namespace kw
