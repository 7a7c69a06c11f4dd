// ButtonImageList: the image list that frmRtfImages hosts as `imgRtfButtons`: pictures of one size
// addressed by 1-based number, some with a key, drawn over a mask colour that counts as
// transparent when masking is on.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui_shared/platform/picture.h"

namespace kw {

// The image list `imgRtfButtons`: numbered, optionally keyed pictures over one mask colour.
class ButtonImageList {
 public:
  // An empty list whose pictures are drawn over `mask_color`, transparent when `use_mask_color`.
  ButtonImageList(uint32_t mask_color, bool use_mask_color)
      : mask_color_(mask_color), use_mask_color_(use_mask_color) {}

  // Appends a picture under `key` (empty for none).
  void Add(PicturePtr picture, std::string key = "");

  // The number of pictures.
  int Count() const { return static_cast<int>(images_.size()); }
  // The picture with 1-based `index` and its key; 9 (subscript out of range) for other numbers.
  const PicturePtr& Picture(int index) const { return At(index).picture; }
  // The key of picture `index` ("" for none); 9 for other numbers.
  const std::string& Key(int index) const { return At(index).key; }
  // A copy of picture `index` as an icon for a button: the caller may keep or change it without
  // touching the list.
  PicturePtr ExtractIcon(int index) const;

  // The colour that counts as transparent.
  uint32_t MaskColor() const { return mask_color_; }
  // Whether the mask colour is transparent.
  bool UseMaskColor() const { return use_mask_color_; }

 private:
  // One picture of the list with its key.
  struct Image {
    PicturePtr picture;
    std::string key;
  };
  const Image& At(int index) const;

  uint32_t mask_color_;
  bool use_mask_color_;
  std::vector<Image> images_;
};

}  // namespace kw
