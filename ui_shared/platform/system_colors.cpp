// The classic colour scheme and colour resolution.
#include "ui_shared/platform/system_colors.h"

namespace kw {

uint32_t SystemColors::GetSysColor(int index) const {
  if (const auto it = overrides_.find(index); it != overrides_.end()) return it->second;
  switch (index) {
    case kColorWindow: return Rgb(255, 255, 255);
    case kColorButtonFace: return Rgb(192, 192, 192);
    case kColorButtonText: return Rgb(0, 0, 0);
    case kColor3DHighlight: return Rgb(255, 255, 255);
    case kColorTooltipText: return Rgb(0, 0, 0);
    case kColorTooltipBackground: return Rgb(255, 255, 225);
    default: return 0;
  }
}

uint32_t SystemColors::Resolve(uint32_t value) const {
  if (value & kSystemColorFlag) return GetSysColor(static_cast<int>(value & 0xFFu));
  return value;
}

}  // namespace kw
