// The fixed button set of the rich-text toolbar, in toolbar order. The key of each real button is
// also the name of the RtfController member that handles its click; the picture is a 1-based
// number into frmRtfImages' image list.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "ui_shared/contracts/container.h"

namespace kw {

// One button of the toolbar: key, caption, style (0 plain, 1 check, 2 group, 3 separator), picture.
struct ToolbarButton {
  // The key: the button's command-bar key, the name of the controller member a click calls.
  std::string_view key;
  // The caption ("" for a separator).
  std::string_view caption;
  // The button style (a CommandButtonStyle).
  int32_t style;
  // The 1-based number of its picture in the toolbar's image list.
  int picture;
};

// The eleven buttons (eight real ones and three separators), in toolbar order.
inline constexpr std::array<ToolbarButton, 11> kToolbarButtons = {{
    {"BoldClick", "Bold", kButtonCheck, 1},
    {"ItalicClick", "Italic", kButtonCheck, 2},
    {"UnderlineClick", "Underline", kButtonCheck, 3},
    {"Separator1", "", kButtonSeparator, 3},
    {"ColorChangeClick", "Color", kButtonPlain, 4},
    {"Separator2", "", kButtonSeparator, 3},
    {"AlignLeftClick", "Align Left", kButtonGroup, 5},
    {"AlignCenterClick", "Center", kButtonGroup, 6},
    {"AlignRightClick", "Align Right", kButtonGroup, 7},
    {"Separator3", "", kButtonSeparator, 3},
    {"BulletsClick", "Bullets", kButtonCheck, 8},
}};

}  // namespace kw
