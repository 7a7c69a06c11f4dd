// SharedProcedures: control state and appearance: read-only toggling, combo-box completion,
// active-field colours and help context numbers.
#include <cstdint>

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/combo_messages.h"
#include "ui_shared/platform/control_members.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/platform/system_colors.h"
#include "ui_shared/platform/text.h"
#include "ui_shared/platform/windows.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {
namespace {

constexpr uint32_t kLightGrey = 0x00E0E0E0u;

// Element `index` of a control array.
ObjectPtr ElementOf(const ObjectPtr& array, int16_t index) {
  return GetMember(array, member::kDefault, Args{Variant::Integer(index)}).ToObject();
}

}  // namespace

void SharedProcedures::ToggleReadWrite(const ObjectPtr& objControl, bool blnReadOnly, bool bClear) {
  Guarded(class_ids::kSharedProcedures, "ToggleReadWrite", [&](Line& line) {
    line = 10;
    const bool is_array = !objControl || objControl->DefaultVarType() == VarType::Object;
    line = 20;
    if (bClear) {
      if (is_array) {
        const int16_t count = GetMember(objControl, member::kCount).ToInteger();
        for (int16_t i = 0; i < count; ++i) LetMember(ElementOf(objControl, i), member::kDefault, Variant::Text(""));
      } else {
        LetMember(objControl, member::kDefault, Variant::Text(""));
      }
    }
    line = 30;
    const Variant back_color = ToVariant(SystemColor(blnReadOnly ? kColorButtonFace : kColorWindow));
    const Variant locked = Variant::Boolean(blnReadOnly);
    if (is_array) {
      const int16_t count = GetMember(objControl, member::kCount).ToInteger();
      for (int16_t i = 0; i < count; ++i) {
        const ObjectPtr element = ElementOf(objControl, i);
        LetMember(element, member::kBackColor, back_color);
        LetMember(element, member::kLocked, locked);
      }
    } else {
      LetMember(objControl, member::kBackColor, back_color);
      LetMember(objControl, member::kLocked, locked);
    }
  });
}

void SharedProcedures::AutoFillCombo(const ObjectPtr& cbo) {
  bool found_match = false;
  AutoFillCombo(cbo, found_match);
}

void SharedProcedures::AutoFillCombo(const ObjectPtr& cbo, bool& blnFoundMatch) {
  Guarded(class_ids::kSharedProcedures, "AutoFillCombo", [&](Line& line) {
    line = 10;
    if (!m_blnAutoFillArmed) return;
    m_blnAutoFillArmed = false;
    // A failure part-way arms the flag again, so that one bad call does not end completion for
    // the rest of the form's life.
    try {
      FillComboFromList(cbo, blnFoundMatch, line);
    } catch (...) {
      m_blnAutoFillArmed = true;
      throw;
    }
  });
}

void SharedProcedures::FillComboFromList(const ObjectPtr& cbo, bool& blnFoundMatch, Line& line) {
  line = 20;
  const std::string typed = GetMember(cbo, member::kText).ToText();
  const Hwnd hwnd = GetMember(cbo, member::kHwnd).ToLong();
  WindowTable& windows = Service<WindowTable>::Get();
  line = 30;
  windows.Send(hwnd, combo_messages::kGetDroppedState);
  windows.Send(hwnd, combo_messages::kShowDropDown, 1);
  line = 40;
  const int64_t exact = windows.Send(hwnd, combo_messages::kFindStringExact, -1, Variant::Text(typed));
  line = 50;
  if (exact != combo_messages::kNotFound) {
    windows.Post(hwnd, combo_messages::kSetCurSel, exact);
    m_blnAutoFillArmed = true;
    blnFoundMatch = true;
    return;
  }
  line = 60;
  const int64_t prefix = windows.Send(hwnd, combo_messages::kFindString, -1, Variant::Text(typed));
  line = 70;
  if (prefix == combo_messages::kNotFound) {
    LetMember(cbo, member::kText, Variant::Text(""));
  } else {
    line = 80;
    const std::string item = GetMember(cbo, member::kList, Args{Variant::Long(static_cast<int32_t>(prefix))}).ToText();
    LetMember(cbo, member::kText, Variant::Text(item));
    const size_t typed_length = text::Len(typed);
    const size_t item_length = text::Len(item);
    if (item_length != typed_length) {
      LetMember(cbo, member::kSelStart, Variant::Long(static_cast<int32_t>(typed_length)));
      LetMember(cbo, member::kSelLength, Variant::Long(static_cast<int32_t>(item_length - typed_length)));
    }
  }
  line = 90;
  m_blnAutoFillArmed = true;
}

int32_t SharedProcedures::ActiveFieldBackColor() {
  return Guarded(class_ids::kSharedProcedures, "Get ActiveFieldBackColor", [&](Line& line) {
    const SystemColors& colors = Service<SystemColors>::Get();
    line = 10;
    if (colors.GetSysColor(kColor3DHighlight) != colors.GetSysColor(kColorWindow))
      return static_cast<int32_t>(SystemColor(kColor3DHighlight));
    line = 20;
    if (colors.GetSysColor(kColorTooltipBackground) != colors.GetSysColor(kColorWindow))
      return static_cast<int32_t>(SystemColor(kColorTooltipBackground));
    line = 30;
    return static_cast<int32_t>(kLightGrey);
  });
}

Variant SharedProcedures::ActiveFieldForeColor() {
  return Guarded(class_ids::kSharedProcedures, "Get ActiveFieldForeColor", [&](Line& line) {
    line = 10;
    if (ActiveFieldBackColor() == static_cast<int32_t>(SystemColor(kColor3DHighlight)))
      return ToVariant(SystemColor(kColorButtonText));
    line = 20;
    if (ActiveFieldBackColor() == static_cast<int32_t>(SystemColor(kColorTooltipBackground)))
      return ToVariant(SystemColor(kColorTooltipText));
    line = 30;
    return ToVariant(0);
  });
}

void SharedProcedures::LoadContextHelpIDs(const ObjectPtr& objControls, const Variant& lngContextHelpID) {
  std::vector<Variant> controls;
  try {
    controls = objControls ? objControls->Enumerate() : std::vector<Variant>{};
  } catch (...) {
    controls.clear();
  }
  for (const Variant& control : controls) {
    try {
      LetMember(control.ToObject(), member::kHelpContextID, lngContextHelpID);
    } catch (...) {
      // A control without a help context, or one that refuses the value, is left as it is.
    }
  }
  try {
    m_lngHelpContextID = lngContextHelpID.ToLong();
  } catch (...) {
    // A value that is no 32-bit number keeps the help context as it was.
  }
}

}  // namespace kw
