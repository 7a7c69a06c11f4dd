// Pictures of the button image list.
#include "ui_shared/rtf/button_image_list.h"

namespace kw {

void ButtonImageList::Add(PicturePtr picture, std::string key) {
  images_.push_back(Image{std::move(picture), std::move(key)});
}

PicturePtr ButtonImageList::ExtractIcon(int index) const { return std::make_shared<kw::Picture>(*Picture(index)); }

const ButtonImageList::Image& ButtonImageList::At(int index) const {
  if (index < 1 || index > Count()) Raise(err::kSubscript);
  return images_[static_cast<size_t>(index - 1)];
}

}  // namespace kw
