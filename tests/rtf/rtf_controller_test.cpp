// RtfController over a recording container and rich-text box: toolbar, button states, clicks, colour dialog.
#include "tests/doubles/library_test.h"

#include "tests/doubles/recording_control.h"
#include "tests/doubles/scripted_color_picker.h"
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/registration.h"
#include "ui_shared/rtf/rtf_controller.h"
#include "ui_shared/rtf/rtf_images.h"

namespace kw {
namespace {

using testing::RecordingContainer;
using testing::RecordingRichTextBox;
using testing::ScriptedColorPicker;

// A recording container that refuses the state calls for one key.
class ToolbarContainer : public RecordingContainer {
 public:
  using RecordingContainer::RecordingContainer;

  Variant SetCommandButtonState(const std::string& key, bool enabled, int16_t value) override {
    if (key == refused_state_key)
      FailOn("SetCommandButtonState", Error(err::kComponentBase + 1, "Container", "command bar full"));
    else
      Disarm("SetCommandButtonState");
    return RecordingContainer::SetCommandButtonState(key, enabled, value);
  }

  std::string refused_state_key;
};

// A toolbar container, a recording box bound to a new controller, and a scripted colour dialog.
struct ControllerWorld {
  ControllerWorld() {
    h.container = container;
    controller = std::make_shared<RtfController>();
    controller->RtfControl(box);
    h.log->Clear();
  }
  Strings Take() {
    Strings calls = h.log->Entries();
    h.log->Clear();
    return calls;
  }

  LibraryHarness h{false};
  ScopedService<ColorPicker> picker_service{std::make_shared<ScriptedColorPicker>()};
  ScriptedColorPicker& picker = static_cast<ScriptedColorPicker&>(*picker_service);
  std::shared_ptr<ToolbarContainer> container = std::make_shared<ToolbarContainer>(h.log);
  std::shared_ptr<testing::RecordingControl> box = RecordingRichTextBox(h.log);
  RtfControllerPtr controller;
};

// The eleven buttons in toolbar order: key, style (3 a separator), caption.
const std::tuple<const char*, int, const char*> kButtons[] = {{"BoldClick", 1, "Bold"},
                                                              {"ItalicClick", 1, "Italic"},
                                                              {"UnderlineClick", 1, "Underline"},
                                                              {"Separator1", 3, ""},
                                                              {"ColorChangeClick", 0, "Color"},
                                                              {"Separator2", 3, ""},
                                                              {"AlignLeftClick", 2, "Align Left"},
                                                              {"AlignCenterClick", 2, "Center"},
                                                              {"AlignRightClick", 2, "Align Right"},
                                                              {"Separator3", 3, ""},
                                                              {"BulletsClick", 1, "Bullets"}};

std::string State(const char* key, bool enabled, int value) {
  return std::string("Container.SetCommandButtonState(\"") + key + "\", " + (enabled ? "True" : "False") + ", " +
         std::to_string(value) + ")";
}

// The first `count` calls of a pass: "add"/"remove" visit all eleven buttons, "on"/"off" the eight others.
Strings Pass(const std::string& kind, size_t count = 11) {
  Strings calls;
  for (const auto& [key, style, caption] : kButtons) {
    if (calls.size() == count) break;
    if (kind == "add")
      calls.push_back(std::string("Container.AddCommandButton(Picture, \"") + key + "\", RtfController, " +
                      std::to_string(style) + ", \"" + caption + "\")");
    else if (kind == "remove")
      calls.push_back(std::string("Container.RemoveCommandButton(\"") + key + "\")");
    else if (style != 3)
      calls.push_back(State(key, kind == "on", 0));
  }
  return calls;
}

TEST(RtfController, ConstructionTakesTheContainerFromANewLocator) {
  LibraryHarness h(false);
  auto controller = std::make_shared<RtfController>();
  EXPECT_EQ(h.log->Entries(), Strings{"Locator.Get Container()"});
  RegisterLibraryClasses();
  EXPECT_EQ(CreateObject(class_ids::kRtfController)->TypeName(), "RtfController");
  ScopedRegistration no_locator(std::string(class_ids::kContainerLocator), nullptr);
  EXPECT_EQ(Described(Raised([] { RtfController failing; })),
            "429 KW_UIShared: KW_UIShared.RtfController.Class_Initialize:30\r\nComponent can't create object: no "
            "class is registered as \"KW_UIContainerInterface.ContainerLocator\"");
}

TEST(RtfController, AddingFocusingAndRemovingVisitTheButtonsInOrder) {
  ControllerWorld w;
  w.controller->AddRemoveCommandButtons(true);
  w.controller->GotFocus();
  w.controller->LostFocus();
  EXPECT_TRUE(w.Take().empty());
  w.controller->AddRemoveCommandButtons(false);
  Strings added = Pass("add");
  for (const auto& call : Pass("off")) added.push_back(call);
  EXPECT_EQ(w.Take(), added);
  w.controller->GotFocus();
  EXPECT_EQ(w.Take(), Pass("on"));
  w.controller->LostFocus();
  EXPECT_EQ(w.Take(), Pass("off"));
  w.controller->AddRemoveCommandButtons(true);
  EXPECT_EQ(w.Take(), Pass("remove"));
  w.controller->AddRemoveCommandButtons(true);
  EXPECT_TRUE(w.Take().empty());
  w.controller->AddRemoveCommandButtons(false);
  w.controller->AddRemoveCommandButtons(false);
  EXPECT_EQ(w.h.log->Matching("Container.AddCommandButton").size(), 22u);
}

// A refused state call during adding is swallowed: all eleven buttons were added before, so they count.
TEST(RtfController, RefusedStateCallsInFocusChanges) {
  ControllerWorld w;
  w.container->refused_state_key = "ColorChangeClick";
  EXPECT_NO_THROW(w.controller->AddRemoveCommandButtons(false));
  EXPECT_EQ(w.h.log->Matching("Container.SetCommandButtonState").size(), 4u);
  w.Take();
  EXPECT_EQ(Raised([&] { w.controller->GotFocus(); }).Description(),
            "KW_UIShared.RtfController.GotFocus:20\r\ncommand bar full");
  EXPECT_EQ(w.Take(), Pass("on", 4));
  w.controller->AddRemoveCommandButtons(true);
  EXPECT_EQ(w.Take(), Pass("remove"));
}

// The state calls SelChange makes for the given button values, in its order.
Strings StateCalls(int bold, int italic, int underline, const char* alignment_key, int bullet) {
  Strings calls = {State("BoldClick", true, bold), State("ItalicClick", true, italic),
                   State("UnderlineClick", true, underline)};
  if (alignment_key) calls.push_back(State(alignment_key, true, 1));
  calls.push_back(State("BulletsClick", true, bullet));
  return calls;
}

// SelChange reads the alignment once per comparison; a mixed value counts as not pressed.
TEST(RtfController, SelChangeShowsTheSelectionsFormatting) {
  const Variant t = Variant::Boolean(true), f = Variant::Boolean(false), null = Variant::Null();
  const std::tuple<const char*, Variant, Variant, Variant, Variant, Variant, Strings, size_t> rows[] = {
      {"plain, left", f, f, f, Variant::Integer(0), f, StateCalls(0, 0, 0, "AlignLeftClick", 0), 1},
      {"all on, centre", t, t, t, Variant::Integer(2), t, StateCalls(1, 1, 1, "AlignCenterClick", 1), 2},
      {"right", f, t, f, Variant::Integer(1), f, StateCalls(0, 1, 0, "AlignRightClick", 0), 3},
      {"mixed bold and bullets", null, f, t, Variant::Integer(0), null, StateCalls(0, 0, 1, "AlignLeftClick", 0), 1},
      {"mixed alignment", t, f, f, null, t, StateCalls(1, 0, 0, nullptr, 1), 3},
      {"alignment as long", f, f, f, Variant::Long(2), f, StateCalls(0, 0, 0, "AlignCenterClick", 0), 2}};
  for (const auto& [name, bold, italic, underline, alignment, bullet, expected, alignment_reads] : rows) {
    ControllerWorld w;
    w.box->values = {
        {"SelBold", bold},           {"SelItalic", italic}, {"SelUnderline", underline},
        {"SelAlignment", alignment}, {"SelBullet", bullet},
    };
    w.controller->SelChange();
    EXPECT_EQ(w.h.log->Matching("Container."), expected) << name;
    EXPECT_EQ(w.h.log->CountOf("RichText.Get SelAlignment()"), alignment_reads) << name;
  }
}

TEST(RtfController, SelChangeStopsAtARefusedStateCall) {
  ControllerWorld w;
  w.box->values["SelAlignment"] = Variant::Integer(0);
  w.container->refused_state_key = "ItalicClick";
  EXPECT_EQ(Described(Raised([&] { w.controller->SelChange(); })),
            std::to_string(err::kComponentBase + 1) +
                " Container: KW_UIShared.RtfController.SelChange:20\r\ncommand bar full");
  EXPECT_EQ(w.h.log->Matching("Container."), (Strings{State("BoldClick", true, 0), State("ItalicClick", true, 0)}));
  EXPECT_EQ(w.h.log->CountOf("RichText.Get SelUnderline()"), 0u);
}

// The check buttons set (Value = 1), the alignments their fixed number whatever the value.
TEST(RtfController, ClicksCalledByNameFormatTheSelection) {
  const std::tuple<const char*, int16_t, const char*> rows[] = {
      {"BoldClick", 1, "SelBold(True)"},           {"BoldClick", 0, "SelBold(False)"},
      {"BoldClick", -1, "SelBold(False)"},         {"BoldClick", 2, "SelBold(False)"},
      {"ItalicClick", 1, "SelItalic(True)"},       {"ItalicClick", 0, "SelItalic(False)"},
      {"UnderlineClick", 1, "SelUnderline(True)"}, {"UnderlineClick", 0, "SelUnderline(False)"},
      {"BulletsClick", 1, "SelBullet(True)"},      {"BulletsClick", 0, "SelBullet(False)"},
      {"AlignLeftClick", 1, "SelAlignment(0)"},    {"AlignCenterClick", 1, "SelAlignment(2)"},
      {"AlignCenterClick", 0, "SelAlignment(2)"},  {"AlignRightClick", 1, "SelAlignment(1)"}};
  for (const auto& [member, value, expected] : rows) {
    ControllerWorld w;
    w.controller->Call(member, {Variant::Integer(value)});
    EXPECT_EQ(w.Take(), Strings{std::string("RichText.Let ") + expected}) << member << " " << value;
  }
  ControllerWorld w;
  w.box->FailOn("Let SelBullet", Error(err::kInvalidCall, "RichText", "read-only box"));
  EXPECT_EQ(Described(Raised([&] { w.controller->BulletsClick(1); })),
            "5 RichText: KW_UIShared.RtfController.BulletsClick:10\r\nread-only box");
  auto unbound = std::make_shared<RtfController>();
  EXPECT_EQ(Described(Raised([&] { unbound->AlignRightClick(0); })),
            "91 KW_UIShared: KW_UIShared.RtfController.AlignRightClick:10\r\nObject variable not set");
}

// A mixed colour takes the last choice unasked, also in another controller: the thread shares one dialog.
TEST(RtfController, ColourChangeThroughTheDialog) {
  ControllerWorld w;
  w.box->values["SelColor"] = Variant::Long(0x0000FF);
  w.picker.answer = 0x00FF00;
  w.controller->ColorChangeClick(0);
  ASSERT_EQ(w.picker.showings.size(), 1u);
  EXPECT_EQ(std::pair(w.picker.showings[0].initial, w.picker.showings[0].flags), std::pair(0x0000FFu, 1));
  EXPECT_EQ(w.Take(), (Strings{"RichText.Get SelColor()", "RichText.Let SelColor(65280)"}));
  w.picker.answer.reset();
  EXPECT_NO_THROW(w.controller->ColorChangeClick(1));
  EXPECT_EQ(w.picker.showings.size(), 2u);
  EXPECT_EQ(w.Take(), Strings{"RichText.Get SelColor()"});
  auto second = std::make_shared<RtfController>();
  auto second_box = RecordingRichTextBox(w.h.log);
  second->RtfControl(second_box);
  second_box->values["SelColor"] = Variant::Null();
  w.Take();
  second->ColorChangeClick(0);
  EXPECT_EQ(w.picker.showings.size(), 2u);
  EXPECT_EQ(w.Take(), (Strings{"RichText.Get SelColor()", "RichText.Let SelColor(65280)"}));
  w.box->values["SelColor"] = Variant::Null();
  w.box->FailOn("Let SelColor", Error(err::kInvalidCall, "RichText", "locked"));
  EXPECT_EQ(Described(Raised([&] { w.controller->ColorChangeClick(0); })), "5 RichText: locked");
}

}  // namespace
}  // namespace kw
