// The colour dialog over the ColorPicker service.
#include "ui_shared/rtf/color_dialog.h"

#include "ui_shared/platform/color_picker.h"
#include "ui_shared/platform/error.h"
#include "ui_shared/platform/service.h"

namespace kw {

void ColorDialog::ShowColor() {
  const auto chosen = Service<ColorPicker>::Get().Pick(color_, flags_);
  if (chosen) {
    color_ = *chosen;
    return;
  }
  if (cancel_error_) Raise(err::kColorCancel);
}

}  // namespace kw
