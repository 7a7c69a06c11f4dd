// ColorDialog: the common-dialog control that frmRtfImages hosts as `cdColorChange`, used only to
// pick a colour. It keeps its colour between showings and shows the ColorPicker service in force.
#pragma once

#include <cstdint>

namespace kw {

// The colour dialog `cdColorChange`: colour, flags and cancel reporting around one showing.
class ColorDialog {
 public:
  // Whether a cancel by the user raises 32755 (err::kColorCancel) from ShowColor.
  bool CancelError() const { return cancel_error_; }
  void CancelError(bool raise) { cancel_error_ = raise; }
  // The colour the dialog opens on and, after a choice, the colour chosen (0x00BBGGRR).
  uint32_t Color() const { return color_; }
  void Color(uint32_t color) { color_ = color; }
  // The dialog's flags (kColorPickerInitialColor opens it on `Color`).
  int32_t Flags() const { return flags_; }
  void Flags(int32_t flags) { flags_ = flags; }

  // Shows the colour dialog. A choice becomes `Color`; a cancel leaves `Color` as it was and
  // raises 32755 when `CancelError` is set.
  void ShowColor();

 private:
  bool cancel_error_ = false;
  uint32_t color_ = 0;
  int32_t flags_ = 0;
};

}  // namespace kw
