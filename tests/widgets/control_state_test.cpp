// Control state over the widget models: read-only toggling, combo completion, field colours, help numbers.
#include <gtest/gtest.h>

#include "tests/doubles/harness.h"
#include "tests/doubles/raised.h"
#include "tests/doubles/recording_control.h"
#include "ui_shared/platform/system_colors.h"
#include "widgets/combo_box.h"
#include "widgets/control_array.h"
#include "widgets/controls_collection.h"
#include "widgets/text_box.h"
#include "widgets/timer.h"

namespace kw {
namespace {

using testing::LibraryHarness;
using testing::Raised;
using testing::RaisedAt;
using testing::RecordingControl;
using widgets::ComboBox;
using widgets::ControlArray;
using widgets::TextBox;

constexpr uint32_t kButtonFace = 0x8000000Fu;
constexpr uint32_t kWindow = 0x80000005u;

// A control without a plain default value (a timer) is taken for a control array and fails on Count.
TEST(ToggleReadWrite, ReadOnlyGreysAndLocksEditableUnlocksAndMissingMembersRaise) {
  LibraryHarness h;
  auto box = TextBox::Make("Smith");
  const auto state = [&] { return std::tuple(box->Text(), box->BackColor(), box->Locked()); };
  h.shared->ToggleReadWrite(box, true, true);
  EXPECT_EQ(state(), std::tuple("", kButtonFace, true));
  box->SetText("Jones");
  h.shared->ToggleReadWrite(box, false);
  EXPECT_EQ(state(), std::tuple("Jones", kWindow, false));
  auto control = std::make_shared<RecordingControl>(h.log, "C", std::set<std::string>{"", "BackColor"});
  control->values[""] = Variant::Text("x");
  EXPECT_TRUE(
      RaisedAt(Raised([&] { h.shared->ToggleReadWrite(control, true); }), err::kNoSuchMember, "ToggleReadWrite", 30));
  EXPECT_EQ(control->values["BackColor"].ToLong(), static_cast<int32_t>(kButtonFace));
  EXPECT_EQ(Raised([&] { h.shared->ToggleReadWrite(std::make_shared<widgets::Timer>(), true); }).Number(),
            err::kNoSuchMember);
}

TEST(ToggleReadWrite, ArrayStepsRunInIndexOrderBackColorBeforeLocked) {
  LibraryHarness h;
  const std::set<std::string> members{"", "BackColor", "Locked"};
  auto e0 = std::make_shared<RecordingControl>(h.log, "E0", members);
  auto e1 = std::make_shared<RecordingControl>(h.log, "E1", members);
  h.shared->ToggleReadWrite(std::make_shared<ControlArray>(std::vector<ObjectPtr>{e0, e1}), true, true);
  EXPECT_EQ(h.log->Entries(),
            (std::vector<std::string>{"E0.Let (\"\")", "E1.Let (\"\")", "E0.Let BackColor(-2147483633)",
                                      "E0.Let Locked(True)", "E1.Let BackColor(-2147483633)", "E1.Let Locked(True)"}));
}

// A combo box over "Abbey" and "Abbot" whose change notification calls AutoFillCombo, as forms do.
struct ComboFixture {
  LibraryHarness h;
  std::shared_ptr<ComboBox> combo = ComboBox::Make({"Abbey", "Abbot"});
  int notifications = 0;
  bool found = false;
  ComboFixture() {
    combo->OnChange([this] {
      ++notifications;
      h.shared->AutoFillCombo(combo, found);
    });
  }
  ~ComboFixture() { combo->OnChange(nullptr); }
  std::string State() const {
    return combo->Text() + " [" + combo->SelText() + "] index=" + std::to_string(combo->ListIndex()) +
           (combo->Dropped() ? " dropped" : "") + (found ? " found" : "") +
           " notified=" + std::to_string(notifications) + " pending=" + std::to_string(h.windows->PendingCount());
  }
};

// After a failure the guard re-arms; the combo's own change report makes a nested call that does nothing.
TEST(AutoFillCombo, AfterAFailurePrefixCompletesToFirstItemAndSelectsTheRest) {
  ComboFixture f;
  auto broken = std::make_shared<RecordingControl>(f.h.log, "C", std::set<std::string>{"Text"});
  broken->values["Text"] = Variant::Text("ab");
  EXPECT_TRUE(RaisedAt(Raised([&] { f.h.shared->AutoFillCombo(broken); }), err::kNoSuchMember, "AutoFillCombo", 20));
  f.combo->Type("ab");
  EXPECT_EQ(f.State(), "Abbey [bey] index=-1 dropped notified=2 pending=0");
  EXPECT_EQ(f.combo->SelStart(), 2);
  f.combo->Type("xyz");
  EXPECT_EQ(f.State(), " [] index=-1 dropped notified=4 pending=0");
  f.combo->Type("abbo");
  EXPECT_EQ(f.State(), "Abbot [t] index=-1 dropped notified=6 pending=0");
}

// The exact match is selected by a posted message; later prefix matches and misses never clear the flag.
TEST(AutoFillCombo, ExactMatchPostsTheSelectionAndSetsTheFlag) {
  ComboFixture f;
  f.combo->Type("abbot");
  EXPECT_EQ(f.State(), "abbot [] index=-1 dropped found notified=1 pending=1");
  Service<EventPump>::Get().DoEvents();
  EXPECT_EQ(f.State(), "Abbot [] index=1 dropped found notified=1 pending=0");
  f.combo->Type("ab");
  f.combo->Type("xyz");
  EXPECT_TRUE(f.found);
}

// Rows: highlight, window and tooltip set (0: the classic scheme's, highlight equal to window), back and fore.
TEST(ActiveFieldColors, FallBackWhenColoursEqualTheWindowBackground) {
  const std::tuple<const char*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t> rows[] = {
      {"highlight differs", Rgb(250, 250, 250), Rgb(255, 255, 255), Rgb(255, 255, 255), 0x80000014u, 0x80000012u},
      {"classic scheme", 0, 0, 0, 0x80000018u, 0x80000017u},
      {"all equal", Rgb(1, 2, 3), Rgb(1, 2, 3), Rgb(1, 2, 3), 0x00E0E0E0u, 0u}};
  for (const auto& [name, highlight, window, tooltip, back, fore] : rows) {
    LibraryHarness h;
    ScopedService<SystemColors> colors(std::make_shared<SystemColors>());
    for (const auto& [index, color] : {std::pair(kColor3DHighlight, highlight), std::pair(kColorWindow, window),
                                       std::pair(kColorTooltipBackground, tooltip)})
      if (color != 0) colors->SetSysColor(index, color);
    EXPECT_EQ(static_cast<uint32_t>(h.shared->ActiveFieldBackColor()), back) << name;
    const Variant fore_color = h.shared->ActiveFieldForeColor();
    EXPECT_EQ(fore_color.Type(), VarType::Long) << name;
    EXPECT_EQ(static_cast<uint32_t>(fore_color.ToLong()), fore) << name;
  }
}

// The stored number (rounded) is the one the feedback dialog receives; a bad value keeps it.
TEST(LoadContextHelpIDs, SetsEveryControlThatTakesItAndRaisesNothing) {
  LibraryHarness h;
  auto box = TextBox::Make();
  auto combo = ComboBox::Make({});
  auto controls = std::make_shared<widgets::ControlsCollection>();
  controls->Add(box);
  controls->Add(std::make_shared<widgets::Timer>());
  controls->Add(combo);
  h.shared->LoadContextHelpIDs(controls, Variant::Double(76.5));
  EXPECT_EQ(std::pair(box->HelpContextID(), combo->HelpContextID()), std::pair(76, 76));
  EXPECT_NO_THROW(h.shared->LoadContextHelpIDs(controls, Variant::Text("not a number")));
  EXPECT_EQ(box->HelpContextID(), 76);
  (void)h.shared->ShowFeedbackForm("text", "", 1, 9);
  EXPECT_EQ(h.log->Matching("Dialog.Let HelpContextID"), std::vector<std::string>{"Dialog.Let HelpContextID(76)"});
  EXPECT_NO_THROW(h.shared->LoadContextHelpIDs(controls, Variant::Null()));
  EXPECT_NO_THROW(h.shared->LoadContextHelpIDs(nullptr, Variant::Long(1)));
  EXPECT_NO_THROW(h.shared->LoadContextHelpIDs(box, Variant::Long(1)));
}

}  // namespace
}  // namespace kw
