// The headless colour dialog.
#include "ui_shared/platform/color_picker.h"

namespace kw {

std::optional<uint32_t> ColorPicker::Pick(uint32_t, int32_t) { return std::nullopt; }

}  // namespace kw
