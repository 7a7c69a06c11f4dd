// RtfController over the recording container and a recording rich-text box: construction, adding
// and removing the toolbar, the buttons' state after focus and selection changes, the clicks, and
// the colour dialog.
#include <gtest/gtest.h>

#include "tests/doubles/harness.h"
#include "tests/doubles/recording_rich_text_box.h"
#include "tests/doubles/scripted_color_picker.h"
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/registration.h"
#include "ui_shared/rtf/rtf_controller.h"
#include "ui_shared/rtf/rtf_images.h"

namespace kw {
namespace {

using testing::LibraryHarness;
using testing::RecordingContainer;
using testing::RecordingRichTextBox;
using testing::ScriptedColorPicker;
using Calls = std::vector<std::string>;

// A recording container that also keeps the pictures it was given and can refuse the n-th
// AddCommandButton or RemoveCommandButton call, or the state calls for one key.
class ToolbarContainer : public RecordingContainer {
 public:
  using RecordingContainer::RecordingContainer;

  Variant AddCommandButton(const PicturePtr& picture, const std::string& key, const ObjectPtr& target, int32_t style,
                           const std::string& caption) override {
    ArmFor("AddCommandButton", ++adds, fail_add_at);
    pictures.push_back(picture);
    return RecordingContainer::AddCommandButton(picture, key, target, style, caption);
  }
  Variant RemoveCommandButton(const std::string& key) override {
    ArmFor("RemoveCommandButton", ++removes, fail_remove_at);
    return RecordingContainer::RemoveCommandButton(key);
  }
  Variant SetCommandButtonState(const std::string& key, bool enabled, int16_t value) override {
    ArmFor("SetCommandButtonState", key == refused_state_key ? 1 : 0, 1);
    return RecordingContainer::SetCommandButtonState(key, enabled, value);
  }

  int fail_add_at = 0, fail_remove_at = 0, adds = 0, removes = 0;
  std::string refused_state_key;
  std::vector<PicturePtr> pictures;

 private:
  void ArmFor(const std::string& member, int call, int fail_at) {
    if (call == fail_at)
      FailOn(member, Error(err::kComponentBase + 1, "Container", "command bar full"));
    else
      Disarm(member);
  }
};

// A fresh world with a toolbar container, a recording box bound to a new controller, and a
// scripted colour dialog.
struct ControllerWorld {
  ControllerWorld() {
    auto toolbar = std::make_shared<ToolbarContainer>(h.log);
    h.container = toolbar;
    container = toolbar;
    controller = std::make_shared<RtfController>();
    controller->RtfControl(box);
    h.log->Clear();
  }
  Calls Log() const { return h.log->Entries(); }

  LibraryHarness h{false};
  ScopedService<ColorPicker> picker_service{std::make_shared<ScriptedColorPicker>()};
  ScriptedColorPicker& picker = static_cast<ScriptedColorPicker&>(*picker_service);
  std::shared_ptr<ToolbarContainer> container;
  std::shared_ptr<RecordingRichTextBox> box = std::make_shared<RecordingRichTextBox>(h.log);
  RtfControllerPtr controller;
};

const Calls kAddCalls = {
    R"(Container.AddCommandButton(Picture, "BoldClick", RtfController, 1, "Bold"))",
    R"(Container.AddCommandButton(Picture, "ItalicClick", RtfController, 1, "Italic"))",
    R"(Container.AddCommandButton(Picture, "UnderlineClick", RtfController, 1, "Underline"))",
    R"(Container.AddCommandButton(Picture, "Separator1", RtfController, 3, ""))",
    R"(Container.AddCommandButton(Picture, "ColorChangeClick", RtfController, 0, "Color"))",
    R"(Container.AddCommandButton(Picture, "Separator2", RtfController, 3, ""))",
    R"(Container.AddCommandButton(Picture, "AlignLeftClick", RtfController, 2, "Align Left"))",
    R"(Container.AddCommandButton(Picture, "AlignCenterClick", RtfController, 2, "Center"))",
    R"(Container.AddCommandButton(Picture, "AlignRightClick", RtfController, 2, "Align Right"))",
    R"(Container.AddCommandButton(Picture, "Separator3", RtfController, 3, ""))",
    R"(Container.AddCommandButton(Picture, "BulletsClick", RtfController, 1, "Bullets"))",
};

const Calls kRemoveCalls = {
    R"(Container.RemoveCommandButton("BoldClick"))",        R"(Container.RemoveCommandButton("ItalicClick"))",
    R"(Container.RemoveCommandButton("UnderlineClick"))",   R"(Container.RemoveCommandButton("Separator1"))",
    R"(Container.RemoveCommandButton("ColorChangeClick"))", R"(Container.RemoveCommandButton("Separator2"))",
    R"(Container.RemoveCommandButton("AlignLeftClick"))",   R"(Container.RemoveCommandButton("AlignCenterClick"))",
    R"(Container.RemoveCommandButton("AlignRightClick"))",  R"(Container.RemoveCommandButton("Separator3"))",
    R"(Container.RemoveCommandButton("BulletsClick"))",
};

const char* const kRealKeys[] = {"BoldClick",      "ItalicClick",      "UnderlineClick",  "ColorChangeClick",
                                 "AlignLeftClick", "AlignCenterClick", "AlignRightClick", "BulletsClick"};

// The eight state calls that LostFocus (false) or GotFocus (true) make, in toolbar order.
Calls AllButtons(bool enabled) {
  Calls calls;
  for (const char* key : kRealKeys)
    calls.push_back(std::string("Container.SetCommandButtonState(\"") + key + "\", " + (enabled ? "True" : "False") +
                    ", 0)");
  return calls;
}

Calls Concat(Calls a, const Calls& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Construction takes the container from a new locator; the class registration creates one too.
TEST(RtfController, TakesTheContainerFromANewLocator) {
  LibraryHarness h(false);
  auto controller = std::make_shared<RtfController>();
  EXPECT_EQ(h.log->Entries(), Calls{"Locator.Get Container()"});
  RegisterLibraryClasses();
  EXPECT_EQ(CreateObject(class_ids::kRtfController)->TypeName(), "RtfController");
}

// A missing locator fails construction with the Class_Initialize trail.
TEST(RtfController, ConstructionFailureCarriesTheClassInitializeTrail) {
  LibraryHarness h(false);
  ScopedRegistration no_locator(std::string(class_ids::kContainerLocator), nullptr);
  try {
    RtfController controller;
    FAIL() << "constructed without a locator";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), err::kCannotCreate);
    EXPECT_EQ(e.Description(), "KW_UIShared.RtfController.Class_Initialize:30\r\nComponent can't create object");
  }
}

// Removing before adding makes no call; adding makes eleven add calls and disables the eight real
// buttons; removing makes eleven remove calls with the same keys in the same order, and a second
// remove makes none.
TEST(RtfController, AddingThenRemovingVisitsTheElevenButtonsInOrder) {
  ControllerWorld w;
  w.controller->AddRemoveCommandButtons(true);
  EXPECT_TRUE(w.Log().empty());
  w.controller->AddRemoveCommandButtons(false);
  EXPECT_EQ(w.Log(), Concat(kAddCalls, AllButtons(false)));
  w.h.log->Clear();
  w.controller->AddRemoveCommandButtons(true);
  EXPECT_EQ(w.Log(), kRemoveCalls);
  w.h.log->Clear();
  w.controller->AddRemoveCommandButtons(true);
  EXPECT_TRUE(w.Log().empty());
}

// Adding while present adds the whole set again without removing the first.
TEST(RtfController, AddingTwiceAddsTheSetTwice) {
  ControllerWorld w;
  w.controller->AddRemoveCommandButtons(false);
  w.controller->AddRemoveCommandButtons(false);
  EXPECT_EQ(w.h.log->Matching("Container.AddCommandButton").size(), 22u);
  EXPECT_TRUE(w.h.log->Matching("Container.RemoveCommandButton").empty());
}

// A container that fails on the fifth add leaves four buttons, the flag false and no error; the
// next remove therefore calls nothing.
TEST(RtfController, ContainerFailingOnTheFifthAddEndsSilently) {
  ControllerWorld w;
  w.container->fail_add_at = 5;
  EXPECT_NO_THROW(w.controller->AddRemoveCommandButtons(false));
  EXPECT_EQ(w.Log(), Calls(kAddCalls.begin(), kAddCalls.begin() + 5));
  w.h.log->Clear();
  w.controller->AddRemoveCommandButtons(true);
  w.controller->GotFocus();
  EXPECT_TRUE(w.Log().empty());
}

// A container that fails on the third remove keeps the flag true, so a later remove starts over.
TEST(RtfController, ContainerFailingPartWayThroughRemovingKeepsTheButtonsPresent) {
  ControllerWorld w;
  w.controller->AddRemoveCommandButtons(false);
  w.container->fail_remove_at = 3;
  w.h.log->Clear();
  EXPECT_NO_THROW(w.controller->AddRemoveCommandButtons(true));
  EXPECT_EQ(w.Log(), Calls(kRemoveCalls.begin(), kRemoveCalls.begin() + 3));
  w.h.log->Clear();
  w.controller->AddRemoveCommandButtons(true);
  EXPECT_EQ(w.Log(), kRemoveCalls);
}

// Focus changes touch the eight real buttons only while they are present.
TEST(RtfController, FocusChangesSetTheEightButtonsOnlyWhilePresent) {
  ControllerWorld w;
  w.controller->GotFocus();
  w.controller->LostFocus();
  EXPECT_TRUE(w.Log().empty());
  w.controller->AddRemoveCommandButtons(false);
  w.h.log->Clear();
  w.controller->GotFocus();
  EXPECT_EQ(w.Log(), AllButtons(true));
  w.h.log->Clear();
  w.controller->LostFocus();
  EXPECT_EQ(w.Log(), AllButtons(false));
}

// A refused state call ends GotFocus with its trail; during adding it is swallowed, and the buttons
// count as present because all eleven were added before.
TEST(RtfController, RefusedStateCallsInFocusChanges) {
  ControllerWorld w;
  w.container->refused_state_key = "ColorChangeClick";
  EXPECT_NO_THROW(w.controller->AddRemoveCommandButtons(false));
  EXPECT_EQ(w.h.log->Matching("Container.SetCommandButtonState").size(), 4u);
  w.h.log->Clear();
  try {
    w.controller->GotFocus();
    FAIL() << "the refusal did not reach the form";
  } catch (const Error& e) {
    EXPECT_EQ(e.Description(), "KW_UIShared.RtfController.GotFocus:20\r\ncommand bar full");
  }
  const Calls enabling = AllButtons(true);
  EXPECT_EQ(w.Log(), Calls(enabling.begin(), enabling.begin() + 4));
  w.h.log->Clear();
  w.controller->AddRemoveCommandButtons(true);
  EXPECT_EQ(w.Log(), kRemoveCalls);
}

struct SelectionRow {
  const char* name;
  Variant bold, italic, underline, alignment, bullet;
  Calls expected;
};

Calls StateCalls(int bold, int italic, int underline, const char* alignment_key, int bullet) {
  const auto state = [](const char* key, int value) {
    return std::string("Container.SetCommandButtonState(\"") + key + "\", True, " + std::to_string(value) + ")";
  };
  Calls calls = {state("BoldClick", bold), state("ItalicClick", italic), state("UnderlineClick", underline)};
  if (alignment_key) calls.push_back(state(alignment_key, 1));
  calls.push_back(state("BulletsClick", bullet));
  return calls;
}

// SelChange presses the buttons of the selection's formatting; a mixed value (null) counts as not
// pressed, and a mixed alignment touches no alignment button. It runs while the buttons are absent.
TEST(RtfController, SelChangeShowsTheSelectionsFormatting) {
  const Variant t = Variant::Boolean(true), f = Variant::Boolean(false), null = Variant::Null();
  const SelectionRow rows[] = {
      {"plain, left", f, f, f, Variant::Integer(0), f, StateCalls(0, 0, 0, "AlignLeftClick", 0)},
      {"all on, centre", t, t, t, Variant::Integer(2), t, StateCalls(1, 1, 1, "AlignCenterClick", 1)},
      {"right", f, t, f, Variant::Integer(1), f, StateCalls(0, 1, 0, "AlignRightClick", 0)},
      {"mixed bold and bullets", null, f, t, Variant::Integer(0), null, StateCalls(0, 0, 1, "AlignLeftClick", 0)},
      {"mixed alignment", t, f, f, null, t, StateCalls(1, 0, 0, nullptr, 1)},
      {"alignment as long", f, f, f, Variant::Long(2), f, StateCalls(0, 0, 0, "AlignCenterClick", 0)},
  };
  for (const auto& row : rows) {
    ControllerWorld w;
    w.box->values = {{"SelBold", row.bold},           {"SelItalic", row.italic}, {"SelUnderline", row.underline},
                     {"SelAlignment", row.alignment}, {"SelBullet", row.bullet}};
    w.controller->SelChange();
    EXPECT_EQ(w.h.log->Matching("Container."), row.expected) << row.name;
  }
}

// The alignment is read afresh for each comparison: left, then centre, then right.
TEST(RtfController, SelChangeReadsTheAlignmentOncePerComparison) {
  ControllerWorld w;
  w.box->values["SelAlignment"] = Variant::Null();
  w.controller->SelChange();
  EXPECT_EQ(w.h.log->CountOf("RichText.Get SelAlignment()"), 3u);
  w.h.log->Clear();
  w.box->values["SelAlignment"] = Variant::Integer(2);
  w.controller->SelChange();
  EXPECT_EQ(w.h.log->CountOf("RichText.Get SelAlignment()"), 2u);
}

// A state call refused in SelChange ends the member there, with the trail of the failing step:
// the underline, alignment and bullet buttons are left as they were.
TEST(RtfController, SelChangeStopsAtARefusedStateCall) {
  ControllerWorld w;
  w.box->values["SelAlignment"] = Variant::Integer(0);
  w.container->refused_state_key = "ItalicClick";
  try {
    w.controller->SelChange();
    FAIL() << "the refusal did not reach the form";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), err::kComponentBase + 1);
    EXPECT_EQ(e.Source(), "Container");
    EXPECT_EQ(e.Description(), "KW_UIShared.RtfController.SelChange:20\r\ncommand bar full");
  }
  EXPECT_EQ(w.h.log->Matching("Container."),
            (Calls{R"(Container.SetCommandButtonState("BoldClick", True, 0))",
                   R"(Container.SetCommandButtonState("ItalicClick", True, 0))"}));
  EXPECT_EQ(w.h.log->CountOf("RichText.Get SelUnderline()"), 0u);
}

struct ClickRow {
  const char* member;
  int16_t value;
  const char* expected;
};

// Each click, called by name as the command bar does, sets its selection property: the check
// buttons to (Value = 1), the alignments to their fixed number whatever the value.
TEST(RtfController, ClicksCalledByNameFormatTheSelection) {
  const ClickRow rows[] = {
      {"BoldClick", 1, "RichText.Let SelBold(True)"},
      {"BoldClick", 0, "RichText.Let SelBold(False)"},
      {"BoldClick", -1, "RichText.Let SelBold(False)"},
      {"BoldClick", 2, "RichText.Let SelBold(False)"},
      {"ItalicClick", 1, "RichText.Let SelItalic(True)"},
      {"ItalicClick", 0, "RichText.Let SelItalic(False)"},
      {"UnderlineClick", 1, "RichText.Let SelUnderline(True)"},
      {"UnderlineClick", 0, "RichText.Let SelUnderline(False)"},
      {"BulletsClick", 1, "RichText.Let SelBullet(True)"},
      {"BulletsClick", 0, "RichText.Let SelBullet(False)"},
      {"AlignLeftClick", 1, "RichText.Let SelAlignment(0)"},
      {"AlignCenterClick", 1, "RichText.Let SelAlignment(2)"},
      {"AlignCenterClick", 0, "RichText.Let SelAlignment(2)"},
      {"AlignRightClick", 1, "RichText.Let SelAlignment(1)"},
  };
  for (const auto& row : rows) {
    ControllerWorld w;
    w.controller->Call(row.member, {Variant::Integer(row.value)});
    EXPECT_EQ(w.Log(), Calls{row.expected}) << row.member << " " << row.value;
  }
}

// A click on a box that refuses the property, or on no box at all, fails with the click's trail.
TEST(RtfController, ClickFailuresCarryTheirTrail) {
  ControllerWorld w;
  w.box->FailOn("Let SelBullet", Error(err::kInvalidCall, "RichText", "read-only box"));
  try {
    w.controller->BulletsClick(1);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), err::kInvalidCall);
    EXPECT_EQ(e.Description(), "KW_UIShared.RtfController.BulletsClick:10\r\nread-only box");
  }
  auto unbound = std::make_shared<RtfController>();
  try {
    unbound->AlignRightClick(0);
    FAIL() << "no error without a box";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), err::kObjectNotSet);
    EXPECT_EQ(e.Description(), "KW_UIShared.RtfController.AlignRightClick:10\r\nObject variable not set");
  }
}

// A colour chosen in the dialog, opened on the selection's colour with flags 1, becomes the
// selection's colour.
TEST(RtfController, ColourChosenInTheDialogColoursTheSelection) {
  ControllerWorld w;
  w.box->values["SelColor"] = Variant::Long(0x0000FF);
  w.picker.answer = 0x00FF00;
  w.controller->ColorChangeClick(0);
  ASSERT_EQ(w.picker.showings.size(), 1u);
  EXPECT_EQ(w.picker.showings[0].initial, 0x0000FFu);
  EXPECT_EQ(w.picker.showings[0].flags, 1);
  EXPECT_EQ(w.Log(), (Calls{"RichText.Get SelColor()", "RichText.Let SelColor(65280)"}));
}

// Cancelling the dialog leaves the selection's colour unchanged and raises nothing.
TEST(RtfController, CancelledColourDialogChangesNothing) {
  ControllerWorld w;
  w.box->values["SelColor"] = Variant::Long(0x123456);
  EXPECT_NO_THROW(w.controller->ColorChangeClick(1));
  EXPECT_EQ(w.picker.showings.size(), 1u);
  EXPECT_EQ(w.Log(), Calls{"RichText.Get SelColor()"});
}

// With a mixed colour (null) the dialog is skipped and the selection takes the dialog's colour
// from its previous showing; an error while writing the colour reaches the caller unprefixed.
TEST(RtfController, MixedColourSkipsTheDialog) {
  ControllerWorld w;
  w.box->values["SelColor"] = Variant::Long(0x000080);
  w.picker.answer = 0x808000;
  w.controller->ColorChangeClick(0);
  w.h.log->Clear();
  w.box->values["SelColor"] = Variant::Null();
  w.controller->ColorChangeClick(0);
  EXPECT_EQ(w.picker.showings.size(), 1u);
  EXPECT_EQ(w.Log(), (Calls{"RichText.Get SelColor()", "RichText.Let SelColor(8421376)"}));
  w.box->FailOn("Let SelColor", Error(err::kInvalidCall, "RichText", "locked"));
  try {
    w.controller->ColorChangeClick(0);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Description(), "locked");
    EXPECT_EQ(e.Source(), "RichText");
  }
}

// Two controllers on one thread share one colour dialog: the second opens on the colour the first
// chose, and both hand out pictures of the one image list.
TEST(RtfController, ControllersOfOneThreadShareTheImageHost) {
  ControllerWorld w;
  auto second = std::make_shared<RtfController>();
  auto second_box = std::make_shared<RecordingRichTextBox>(w.h.log);
  second->RtfControl(second_box);
  w.picker.answer = 0x00AA00;
  w.controller->ColorChangeClick(0);
  second_box->values["SelColor"] = Variant::Null();
  w.picker.answer.reset();
  second->ColorChangeClick(0);
  EXPECT_EQ(second_box->values["SelColor"].ToLong(), 0x00AA00);
  EXPECT_EQ(frmRtfImages::ForThisThread(), frmRtfImages::ForThisThread());
}

}  // namespace
}  // namespace kw
