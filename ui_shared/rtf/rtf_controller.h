// RtfController: puts the formatting toolbar of a form's rich-text box (bold, italic, underline,
// colour, three alignments, bullets) on the screen container's command bar, keeps the buttons in
// step with the box's selection and applies the user's clicks to it. The box is reached only by
// member name; the container calls the click members by name (the buttons' keys) with the
// button's value, so every member below is also reachable late-bound.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "ui_shared/contracts/container.h"
#include "ui_shared/platform/control_members.h"
#include "ui_shared/platform/object.h"
#include "ui_shared/rtf/button_image_list.h"
#include "ui_shared/rtf/color_dialog.h"

namespace kw {

// The controller of one form's rich-text box and its toolbar on the container's command bar.
class RtfController : public LateBound<RtfController> {
 public:
  // Takes the image list and the colour dialog of this thread's frmRtfImages, creates a container
  // locator and takes the container from it. Fails with the ".Class_Initialize:" trail when the
  // locator cannot be created or its container does not support TrfContainer.
  RtfController();
  RtfController(const RtfController&) = delete;
  RtfController& operator=(const RtfController&) = delete;

  std::string TypeName() const override { return "RtfController"; }
  // The members reached by name: RtfControl, AddRemoveCommandButtons and the focus, selection and
  // click members below.
  static const MemberTable<RtfController>& Members();

  // ---- Toolbar construction (rtf_controller.cpp) ----

  // Stores the rich-text box, used late-bound through SelBold, SelItalic, SelUnderline,
  // SelAlignment, SelBullet and SelColor.
  void RtfControl(const ObjectPtr& box);
  // Adds the eleven buttons to the command bar (`Remove` false) or takes them off again (`Remove`
  // true, only while they are present). Raises nothing: a failing step ends the member silently
  // and leaves the buttons-present flag as it was.
  void AddRemoveCommandButtons(bool Remove);

  // ---- Formatting commands and state (rtf_commands.cpp) ----

  // The box lost or got the focus: while the buttons are present, all eight real buttons become
  // unavailable (or available), not pressed.
  void LostFocus();
  // The box got the focus: while the buttons are present, all eight real buttons become available,
  // not pressed.
  void GotFocus();
  // The selection changed: the bold, italic, underline, alignment and bullet buttons show its
  // formatting; a mixed alignment leaves the alignment buttons as they were.
  void SelChange();
  // Bold on (`Value` 1) or off for the selection; the check button's click, as the container calls
  // it.
  void BoldClick(int16_t Value);
  // Italic on (1) or off for the selection.
  void ItalicClick(int16_t Value);
  // Underline on (1) or off for the selection.
  void UnderlineClick(int16_t Value);
  // Bullets on (1) or off for the selected paragraphs.
  void BulletsClick(int16_t Value);
  // Shows the colour dialog opened on the selection's colour and gives the selection the colour
  // chosen; a cancel changes nothing and raises nothing. A selection of mixed colours skips the
  // dialog and takes the dialog's last colour. Only an error in giving the colour reaches the
  // caller, without a location. `Value` is ignored.
  void ColorChangeClick(int16_t Value);
  // Aligns the selected paragraphs left (SelAlignment 0). `Value` is ignored.
  void AlignLeftClick(int16_t Value);
  // Centres the selected paragraphs (SelAlignment 2). `Value` is ignored.
  void AlignCenterClick(int16_t Value);
  // Aligns the selected paragraphs right (SelAlignment 1). `Value` is ignored.
  void AlignRightClick(int16_t Value);

 private:
  // The body of LostFocus and GotFocus (named `member`): while the buttons are present, sets the
  // eight real buttons to `enabled` and not pressed, in toolbar order.
  void SetAllButtons(std::string_view member, bool enabled);
  // Reads a true/false selection property of the box; a mixed selection (null) counts as false.
  bool SelectionHas(std::string_view property);
  void ShowButton(const std::string& key, bool pressed);
  // The body of a click member named `member`: sets the box's selection `property` to `value`.
  void FormatSelection(std::string_view member, const MemberRef& property, const Variant& value);

  // ---- The box's selection properties the clicks set, resolved once ----
  const MemberRef m_selBold{std::string(member::kSelBold)};
  const MemberRef m_selItalic{std::string(member::kSelItalic)};
  const MemberRef m_selUnderline{std::string(member::kSelUnderline)};
  const MemberRef m_selBullet{std::string(member::kSelBullet)};
  const MemberRef m_selAlignment{std::string(member::kSelAlignment)};

  std::shared_ptr<ContainerLocator> m_objContainerLocator;
  ContainerPtr m_objTrfContainer;
  ObjectPtr m_rtfControl;
  std::shared_ptr<ButtonImageList> m_imlButtons;
  bool m_blnButtonsPresent = false;
  std::shared_ptr<ColorDialog> m_cdColorChange;
};

// A shared reference to a toolbar controller.
using RtfControllerPtr = std::shared_ptr<RtfController>;

}  // namespace kw
