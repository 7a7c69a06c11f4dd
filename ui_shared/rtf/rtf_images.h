// frmRtfImages: the hidden form that hosts the rich-text toolbar's image list `imgRtfButtons` and
// its colour dialog `cdColorChange`. It is never shown; one instance per user-interface thread is
// created on first use and shared by every RtfController of that thread.
#pragma once

#include <memory>

#include "ui_shared/rtf/button_image_list.h"
#include "ui_shared/rtf/color_dialog.h"

namespace kw {

// The hidden image host, one per user-interface thread.
class frmRtfImages {
 public:
  // The instance of the calling thread, created (pictures drawn) on first use.
  static const std::shared_ptr<frmRtfImages>& ForThisThread();

  // The image list: ten pictures, mask colour silver with masking on; pictures 9 and 10 carry the
  // keys "Undo" and "Redo".
  std::shared_ptr<ButtonImageList> ImageList();
  // The colour dialog, a control of the form.
  const std::shared_ptr<ColorDialog>& cdColorChange() const { return cdColorChange_; }

  frmRtfImages();

 private:
  std::shared_ptr<ButtonImageList> imgRtfButtons_;
  std::shared_ptr<ColorDialog> cdColorChange_;
};

}  // namespace kw
