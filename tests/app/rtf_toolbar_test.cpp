// The rich-text toolbar end to end: a form wires its rich-text box to an RtfController, which puts
// its buttons on the reference container's command bar; the bar's clicks format the box's text
// and the box's focus and selection drive the buttons.
#include <gtest/gtest.h>

#include "app/siblings/siblings.h"
#include "tests/doubles/scripted_color_picker.h"
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/platform/system_colors.h"
#include "ui_shared/registration.h"
#include "ui_shared/rtf/rtf_controller.h"
#include "ui_shared/rtf/rtf_images.h"
#include "widgets/rich_text_box.h"

namespace trf {
namespace {

using kw::ScopedService;

// A form with a rich-text box, wired as the program's forms wire theirs: it hands the box to its
// controller and forwards the box's events to it.
struct RichTextForm : kw::RichTextBoxEvents {
  void GotFocus() override { controller->GotFocus(); }
  void LostFocus() override { controller->LostFocus(); }
  void SelChange() override { controller->SelChange(); }
  kw::RichTextBoxPtr box = std::make_shared<kw::RichTextBox>();
  kw::RtfControllerPtr controller = kw::CreateObjectAs<kw::RtfController>(kw::class_ids::kRtfController);
};

// The application's classes registered, a fresh container, a scripted colour dialog, and a form
// whose box holds "plain bold\ncentred" with "bold" in bold and the second paragraph centred; the
// toolbar is added.
struct ToolbarWorld {
  ToolbarWorld() {
    kw::RegisterLibraryClasses();
    RegisterApplicationClasses();
    form = std::make_shared<RichTextForm>();
    form->controller->RtfControl(form->box);
    form->box->Listener(form);
    form->box->Text("plain bold\ncentred");
    Select(6, 4);
    form->box->SelBold(true);
    Select(11, 0);
    form->box->SelAlignment(kw::rich_text::kAlignCenter);
    form->controller->AddRemoveCommandButtons(false);
  }
  void Select(int32_t start, int32_t length) {
    form->box->SelStart(start);
    form->box->SelLength(length);
  }
  // The values of the bar's buttons in order, "x" for an unavailable one.
  std::string Buttons() const {
    std::string shown;
    for (const auto& button : container->Bar().Buttons()) shown += button.enabled ? std::to_string(button.value) : "x";
    return shown;
  }

  ScopedService<kw::ClassRegistry> registry{std::make_shared<kw::ClassRegistry>()};
  ScopedService<kw::WindowTable> windows{std::make_shared<kw::WindowTable>()};
  ScopedService<ScreenContainer> container{std::make_shared<ScreenContainer>()};
  std::shared_ptr<kw::testing::ScriptedColorPicker> picker = std::make_shared<kw::testing::ScriptedColorPicker>();
  ScopedService<kw::ColorPicker> picker_service{picker};
  std::shared_ptr<RichTextForm> form;
};

// Adding puts the eleven buttons on the bar, aimed at the controller, with copies of their
// pictures, the eight real ones unavailable; removing takes every one of them off again.
TEST(RtfToolbar, AddingAndRemovingTheButtons) {
  ToolbarWorld w;
  const auto& buttons = w.container->Bar().Buttons();
  const int pictures[] = {1, 2, 3, 3, 4, 3, 5, 6, 7, 3, 8};
  ASSERT_EQ(buttons.size(), std::size(pictures));
  const auto images = kw::frmRtfImages::ForThisThread()->ImageList();
  for (size_t i = 0; i < buttons.size(); ++i) {
    EXPECT_EQ(buttons[i].picture->Pixels(), images->Picture(pictures[i])->Pixels()) << buttons[i].key;
    EXPECT_NE(buttons[i].picture, images->Picture(pictures[i])) << buttons[i].key << " shares the list's picture";
    EXPECT_EQ(buttons[i].target.lock(), w.form->controller) << buttons[i].key;
  }
  EXPECT_EQ(w.Buttons(), "xxx0x0xxx0x");
  w.form->controller->AddRemoveCommandButtons(true);
  EXPECT_TRUE(w.container->Bar().Buttons().empty());
}

// The focus makes the buttons available, selections press the buttons of their formatting (a
// partly bold selection shows bold released, a mixed alignment leaves the alignment buttons), and
// losing the focus makes them unavailable again.
TEST(RtfToolbar, ButtonsFollowFocusAndSelection) {
  ToolbarWorld w;
  w.form->box->SetFocus();
  EXPECT_EQ(w.Buttons(), "00000000000");
  w.Select(6, 4);  // "bold"
  EXPECT_EQ(w.Buttons(), "10000010000");
  w.Select(11, 3);  // "cen"
  EXPECT_EQ(w.Buttons(), "00000001000");
  w.Select(8, 5);  // "ld\nce": partly bold, two alignments; the caret at 8 pressed Align Left
  EXPECT_EQ(w.Buttons(), "00000010000");
  w.container->SetCommandButtonState("AlignCenterClick", true, 1);
  w.form->box->SelLength(5);  // the same mixed selection again leaves Center as it was
  EXPECT_EQ(w.Buttons(), "00000001000");
  w.form->box->KillFocus();
  EXPECT_EQ(w.Buttons(), "xxx0x0xxx0x");
}

// A check button formats the selection when pressed and unformats it when released; centre gives
// alignment 2 and right gives 1, each pressing its own button and releasing the rest.
TEST(RtfToolbar, ClicksFormatTheSelectionAndPressTheirButtons) {
  ToolbarWorld w;
  w.form->box->SetFocus();
  w.Select(0, 5);  // "plain"
  ASSERT_TRUE(w.container->ClickCommandButton("ItalicClick"));
  EXPECT_EQ(w.container->Bar().Find("ItalicClick")->value, 1);
  EXPECT_EQ(w.form->box->SelItalic(), true);
  w.container->ClickCommandButton("ItalicClick");
  EXPECT_EQ(w.form->box->SelItalic(), false);
  const std::tuple<const char*, int16_t, const char*> alignments[] = {
      {"AlignRightClick", kw::rich_text::kAlignRight, "00000000100"},
      {"AlignCenterClick", kw::rich_text::kAlignCenter, "00000001000"},
      {"AlignLeftClick", kw::rich_text::kAlignLeft, "00000010000"}};
  for (const auto& [key, alignment, buttons] : alignments) {
    w.container->ClickCommandButton(key);
    EXPECT_EQ(w.form->box->SelAlignment(), alignment) << key;
    EXPECT_EQ(w.Buttons(), buttons) << key;
  }
}

// A colour chosen in the dialog, opened on the selection's colour, colours the selection and
// survives a save through RTF with the bold and the centred paragraph.
TEST(RtfToolbar, ChosenColourSurvivesASaveThroughRtf) {
  ToolbarWorld w;
  w.form->box->SetFocus();
  w.Select(6, 4);
  w.picker->answer = kw::Rgb(200, 0, 0);
  w.container->ClickCommandButton("ColorChangeClick");
  EXPECT_EQ(w.picker->showings.at(0).initial, 0u);
  kw::RichTextBox reopened;
  reopened.TextRTF(w.form->box->TextRTF());
  reopened.SelStart(6);
  reopened.SelLength(4);
  EXPECT_EQ(reopened.SelColor(), kw::Rgb(200, 0, 0));
  EXPECT_EQ(reopened.SelBold(), true);
  reopened.SelStart(12);
  EXPECT_EQ(reopened.SelAlignment(), kw::rich_text::kAlignCenter);
}

}  // namespace
}  // namespace trf
