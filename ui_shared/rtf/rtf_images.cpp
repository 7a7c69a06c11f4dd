// The image host of the rich-text toolbar.
#include "ui_shared/rtf/rtf_images.h"

#include "ui_shared/error_sources.h"
#include "ui_shared/rtf/button_pictures.h"

namespace kw {

const std::shared_ptr<frmRtfImages>& frmRtfImages::ForThisThread() {
  thread_local std::shared_ptr<frmRtfImages> instance;
  if (!instance) instance = std::make_shared<frmRtfImages>();
  return instance;
}

frmRtfImages::frmRtfImages()
    : imgRtfButtons_(std::make_shared<ButtonImageList>(kButtonMaskColor, true)),
      cdColorChange_(std::make_shared<ColorDialog>()) {
  for (auto& [picture, key] : DrawButtonPictures()) imgRtfButtons_->Add(std::move(picture), std::move(key));
}

std::shared_ptr<ButtonImageList> frmRtfImages::ImageList() {
  return Guarded(kRtfImagesClass, "Get ImageList", [&](Line& line) {
    line = 10;
    return imgRtfButtons_;
  });
}

}  // namespace kw
