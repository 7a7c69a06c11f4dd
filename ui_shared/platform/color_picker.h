// ColorPicker: the system's colour-choosing dialog as a replaceable service. The headless default
// has no user to ask and answers as a user who cancels; a front end or a test puts its own in
// force with Service<ColorPicker>.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

namespace kw {

// Flag of the colour dialog: open with the given colour selected.
inline constexpr int32_t kColorPickerInitialColor = 1;

// The colour-choosing dialog; replace it to ask a real user.
class ColorPicker {
 public:
  virtual ~ColorPicker() = default;
  // Shows the dialog opened on `initial` (0x00BBGGRR) with the dialog's `flags`; answers the colour
  // the user chose, or nothing when the user cancelled.
  virtual std::optional<uint32_t> Pick(uint32_t initial, int32_t flags);
  // The headless dialog, the default of Service<ColorPicker>.
  static std::shared_ptr<ColorPicker> MakeDefault() { return std::make_shared<ColorPicker>(); }
};

}  // namespace kw
