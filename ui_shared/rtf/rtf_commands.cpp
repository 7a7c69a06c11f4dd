// RtfController: the buttons' state after focus and selection changes, and the click members that
// format the rich-text box's selection.
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/color_picker.h"
#include "ui_shared/platform/control_members.h"
#include "ui_shared/rtf/rtf_controller.h"
#include "ui_shared/rtf/toolbar_buttons.h"

namespace kw {
namespace {

// Paragraph alignments of the rich-text box.
constexpr int16_t kAlignLeft = 0;
constexpr int16_t kAlignRight = 1;
constexpr int16_t kAlignCenter = 2;

}  // namespace

void RtfController::SetAllButtons(std::string_view member, bool enabled) {
  Guarded(class_ids::kRtfController, member, [&](Line& line) {
    line = 10;
    if (!m_blnButtonsPresent) return;
    line = 20;
    for (const ToolbarButton& button : kToolbarButtons)
      if (button.style != kButtonSeparator)
        m_objTrfContainer->SetCommandButtonState(std::string(button.key), enabled, kButtonReleased);
  });
}

bool RtfController::SelectionHas(std::string_view property) {
  const Variant value = GetMember(m_rtfControl, property);
  return !value.IsNull() && value.ToBoolean();
}

void RtfController::ShowButton(const std::string& key, bool pressed) {
  m_objTrfContainer->SetCommandButtonState(key, true, pressed ? kButtonPressed : kButtonReleased);
}

void RtfController::LostFocus() { SetAllButtons("LostFocus", false); }

void RtfController::GotFocus() { SetAllButtons("GotFocus", true); }

void RtfController::SelChange() {
  Guarded(class_ids::kRtfController, "SelChange", [&](Line& line) {
    line = 10;
    ShowButton("BoldClick", SelectionHas(member::kSelBold));
    line = 20;
    ShowButton("ItalicClick", SelectionHas(member::kSelItalic));
    line = 30;
    ShowButton("UnderlineClick", SelectionHas(member::kSelUnderline));
    // Each comparison reads the alignment afresh; a mixed selection (null) matches none of them.
    const auto aligned = [&](int16_t alignment) {
      return VariantEquals(GetMember(m_rtfControl, member::kSelAlignment), Variant::Integer(alignment));
    };
    line = 40;
    if (aligned(kAlignLeft)) {
      ShowButton("AlignLeftClick", true);
    } else if (line = 50; aligned(kAlignCenter)) {
      ShowButton("AlignCenterClick", true);
    } else if (line = 60; aligned(kAlignRight)) {
      ShowButton("AlignRightClick", true);
    }
    line = 70;
    ShowButton("BulletsClick", SelectionHas(member::kSelBullet));
  });
}

void RtfController::FormatSelection(std::string_view member, const MemberRef& property, const Variant& value) {
  Guarded(class_ids::kRtfController, member, [&](Line& line) {
    line = 10;
    LetMember(m_rtfControl, property, value);
  });
}

void RtfController::BoldClick(int16_t Value) {
  FormatSelection("BoldClick", m_selBold, Variant::Boolean(Value == kButtonPressed));
}
void RtfController::ItalicClick(int16_t Value) {
  FormatSelection("ItalicClick", m_selItalic, Variant::Boolean(Value == kButtonPressed));
}
void RtfController::UnderlineClick(int16_t Value) {
  FormatSelection("UnderlineClick", m_selUnderline, Variant::Boolean(Value == kButtonPressed));
}
void RtfController::BulletsClick(int16_t Value) {
  FormatSelection("BulletsClick", m_selBullet, Variant::Boolean(Value == kButtonPressed));
}
void RtfController::AlignLeftClick(int16_t) {
  FormatSelection("AlignLeftClick", m_selAlignment, Variant::Integer(kAlignLeft));
}
void RtfController::AlignCenterClick(int16_t) {
  FormatSelection("AlignCenterClick", m_selAlignment, Variant::Integer(kAlignCenter));
}
void RtfController::AlignRightClick(int16_t) {
  FormatSelection("AlignRightClick", m_selAlignment, Variant::Integer(kAlignRight));
}

void RtfController::ColorChangeClick(int16_t) {
  // A cancel is the user's answer, not a failure: it is told to nobody. Any other failure on the
  // way to the dialog skips the rest of it, and the selection then takes the dialog's colour.
  int32_t failure = 0;
  try {
    m_cdColorChange->CancelError(true);
    m_cdColorChange->Color(static_cast<uint32_t>(GetMember(m_rtfControl, member::kSelColor).ToLong()));
    m_cdColorChange->Flags(kColorPickerInitialColor);
    m_cdColorChange->ShowColor();
  } catch (...) {
    failure = CurrentError().Number();
  }
  if (failure == err::kColorCancel) return;
  LetMember(m_rtfControl, member::kSelColor, Variant::Long(static_cast<int32_t>(m_cdColorChange->Color())));
}

}  // namespace kw
