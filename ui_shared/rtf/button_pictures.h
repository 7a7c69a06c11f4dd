// The ten 16 x 16 pictures of the formatting toolbar, drawn over the silver mask colour: bold,
// italic, underline, colour, align left, centre, align right, bullets, undo and redo.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui_shared/platform/picture.h"
#include "ui_shared/platform/system_colors.h"

namespace kw {

// The mask colour of the toolbar pictures: pixels of this colour are the background.
inline constexpr uint32_t kButtonMaskColor = Rgb(192, 192, 192);
// The width and height of each picture, in pixels.
inline constexpr int kButtonPictureSize = 16;

// A picture with the key it is stored under in the image list (empty for none).
struct KeyedPicture {
  // The picture.
  PicturePtr picture;
  // The key it is stored under.
  std::string key;
};

// Draws the ten pictures afresh, in the order above; undo and redo carry the keys "Undo" and
// "Redo".
std::vector<KeyedPicture> DrawButtonPictures();

}  // namespace kw
