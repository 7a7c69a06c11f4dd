// Picture: an image as forms, dialogs and command bars pass it around (icons, button images):
// a width, a height and 0x00BBGGRR pixels, row by row.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui_shared/platform/object.h"

namespace kw {

class Picture : public Object {
 public:
  Picture(int width, int height, uint32_t fill = 0);
  std::string TypeName() const override { return "Picture"; }

  int Width() const { return width_; }
  int Height() const { return height_; }
  uint32_t Pixel(int x, int y) const;  // 9 outside the picture
  void SetPixel(int x, int y, uint32_t color);
  const std::vector<uint32_t>& Pixels() const { return pixels_; }

 private:
  int width_;
  int height_;
  std::vector<uint32_t> pixels_;
};

using PicturePtr = std::shared_ptr<Picture>;

}  // namespace kw
