// RtfController: construction, the binding to the rich-text box, adding and removing the toolbar
// buttons, and the late-bound member table.
#include "ui_shared/rtf/rtf_controller.h"

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/rtf/rtf_images.h"
#include "ui_shared/rtf/toolbar_buttons.h"

namespace kw {

RtfController::RtfController() {
  Guarded(class_ids::kRtfController, "Class_Initialize", [&](Line& line) {
    line = 10;
    m_imlButtons = frmRtfImages::ForThisThread()->ImageList();
    line = 20;
    m_cdColorChange = frmRtfImages::ForThisThread()->cdColorChange();
    line = 30;
    m_objContainerLocator = CreateObjectAs<ContainerLocator>(class_ids::kContainerLocator);
    line = 40;
    m_objTrfContainer = As<TrfContainer>(m_objContainerLocator->Container());
    if (!m_objTrfContainer) Raise(err::kObjectNotSet);
  });
}

void RtfController::RtfControl(const ObjectPtr& box) {
  Guarded(class_ids::kRtfController, "Set RtfControl", [&](Line& line) {
    line = 10;
    m_rtfControl = box;
  });
}

void RtfController::AddRemoveCommandButtons(bool Remove) {
  // The toolbar is a convenience: a container that refuses a button must not stop the form, so
  // any failure ends the member here without a word, before the flag changes.
  try {
    if (!Remove) {
      for (const ToolbarButton& button : kToolbarButtons)
        m_objTrfContainer->AddCommandButton(m_imlButtons->ExtractIcon(button.picture), std::string(button.key),
                                            shared_from_this(), button.style, std::string(button.caption));
      m_blnButtonsPresent = true;
      LostFocus();
    } else if (m_blnButtonsPresent) {
      for (const ToolbarButton& button : kToolbarButtons)
        m_objTrfContainer->RemoveCommandButton(std::string(button.key));
      m_blnButtonsPresent = false;
    }
  } catch (...) {
  }
}

const MemberTable<RtfController>& RtfController::Members() {
  using C = RtfController;
  static const MemberTable<C> table{
      Property<nullptr, &C::RtfControl>("RtfControl"),
      Method<&C::AddRemoveCommandButtons, "Remove">("AddRemoveCommandButtons"),
      Method<&C::LostFocus>("LostFocus"),
      Method<&C::GotFocus>("GotFocus"),
      Method<&C::SelChange>("SelChange"),
      Method<&C::BoldClick, "Value">("BoldClick"),
      Method<&C::ItalicClick, "Value">("ItalicClick"),
      Method<&C::UnderlineClick, "Value">("UnderlineClick"),
      Method<&C::ColorChangeClick, "Value">("ColorChangeClick"),
      Method<&C::AlignLeftClick, "Value">("AlignLeftClick"),
      Method<&C::AlignCenterClick, "Value">("AlignCenterClick"),
      Method<&C::AlignRightClick, "Value">("AlignRightClick"),
      Method<&C::BulletsClick, "Value">("BulletsClick"),
  };
  return table;
}

}  // namespace kw
