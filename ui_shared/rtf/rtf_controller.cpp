// RtfController: construction, the binding to the rich-text box, adding and removing the toolbar
// buttons, and the late-bound member table.
#include "ui_shared/rtf/rtf_controller.h"

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/location.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/rtf/rtf_images.h"
#include "ui_shared/rtf/toolbar_buttons.h"

namespace kw {

RtfController::RtfController() {
  Guarded(kRtfControllerClass, "Class_Initialize", [&](Line& line) {
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
  Guarded(kRtfControllerClass, "Set RtfControl", [&](Line& line) {
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
      for (const ToolbarButton& button : kToolbarButtons) m_objTrfContainer->RemoveCommandButton(std::string(button.key));
      m_blnButtonsPresent = false;
    }
  } catch (...) {
  }
}

namespace {

// Late-bound forms of the members: events take no argument, clicks take the button's `Value`.
template <void (RtfController::*Event)()>
Variant CallEvent(RtfController& controller, const Args&) {
  (controller.*Event)();
  return Variant();
}

template <void (RtfController::*Click)(int16_t)>
Variant CallClick(RtfController& controller, const Args& args) {
  (controller.*Click)(args.Required(0, "Value").ToInteger());
  return Variant();
}

}  // namespace

const MemberTable<RtfController>& RtfController::Members() {
  static const MemberTable<RtfController> table{
      {"RtfControl", nullptr,
       [](RtfController& c, const Variant& box, const Args&) { c.RtfControl(box.ToObject()); }},
      {"AddRemoveCommandButtons",
       [](RtfController& c, const Args& args) {
         c.AddRemoveCommandButtons(args.Required(0, "Remove").ToBoolean());
         return Variant();
       }},
      {"LostFocus", &CallEvent<&RtfController::LostFocus>},
      {"GotFocus", &CallEvent<&RtfController::GotFocus>},
      {"SelChange", &CallEvent<&RtfController::SelChange>},
      {"BoldClick", &CallClick<&RtfController::BoldClick>},
      {"ItalicClick", &CallClick<&RtfController::ItalicClick>},
      {"UnderlineClick", &CallClick<&RtfController::UnderlineClick>},
      {"ColorChangeClick", &CallClick<&RtfController::ColorChangeClick>},
      {"AlignLeftClick", &CallClick<&RtfController::AlignLeftClick>},
      {"AlignCenterClick", &CallClick<&RtfController::AlignCenterClick>},
      {"AlignRightClick", &CallClick<&RtfController::AlignRightClick>},
      {"BulletsClick", &CallClick<&RtfController::BulletsClick>},
  };
  return table;
}

}  // namespace kw
