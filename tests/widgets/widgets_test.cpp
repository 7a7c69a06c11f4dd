// The widget models: combo-box messages, late-bound members and the type inquiry of controls.
#include <gtest/gtest.h>

#include "tests/doubles/harness.h"
#include "tests/doubles/raised.h"
#include "widgets/combo_box.h"
#include "widgets/control_array.h"
#include "widgets/text_box.h"
#include "widgets/timer.h"

namespace kw {
namespace {

using testing::Raised;
using widgets::ComboBox;
namespace m = widgets::combo_messages;

struct FindRow {
  const char* name;
  uint32_t msg;
  int64_t start;
  const char* text;
  int64_t expected;
};

// Both finds ignore case, start after the given index and wrap round to the top.
TEST(ComboBoxMessages, FindsIgnoreCaseAndWrapRound) {
  ScopedService<WindowTable> windows(std::make_shared<WindowTable>());
  auto combo = ComboBox::Make({"apple", "Apricot", "banana"});
  const FindRow rows[] = {
      {"prefix from top", m::kFindString, -1, "ap", 0},
      {"prefix after 0", m::kFindString, 0, "ap", 1},
      {"prefix wraps", m::kFindString, 1, "ap", 0},
      {"prefix from last wraps", m::kFindString, 2, "B", 2},
      {"exact other case", m::kFindStringExact, -1, "APPLE", 0},
      {"exact is not prefix", m::kFindStringExact, -1, "app", -1},
      {"no match", m::kFindString, -1, "x", -1},
      {"empty text", m::kFindString, -1, "", -1},
      {"start beyond the end", m::kFindStringExact, 7, "banana", 2},
  };
  for (const auto& row : rows)
    EXPECT_EQ(windows->Send(combo->Hwnd(), row.msg, row.start, Variant::Text(row.text)), row.expected) << row.name;
}

// Selecting past the end answers -1 and changes nothing; a valid index selects without a change
// notification; the drop-down opens and reports its state; the window goes with the control.
TEST(ComboBoxMessages, SelectAndDropDown) {
  ScopedService<WindowTable> windows(std::make_shared<WindowTable>());
  auto combo = ComboBox::Make({"a", "b"});
  const Hwnd hwnd = combo->Hwnd();
  EXPECT_EQ(windows->ClassName(hwnd), "ComboBox");
  int changes = 0;
  combo->OnChange([&] { ++changes; });
  EXPECT_EQ(windows->Send(hwnd, m::kSetCurSel, 2), -1);
  EXPECT_EQ(combo->ListIndex(), -1);
  EXPECT_EQ(windows->Send(hwnd, m::kSetCurSel, 1), 1);
  EXPECT_EQ(combo->Text(), "b");
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(windows->Send(hwnd, m::kGetDroppedState), 0);
  EXPECT_EQ(windows->Send(hwnd, m::kShowDropDown, 1), 1);
  EXPECT_EQ(windows->Send(hwnd, m::kGetDroppedState), 1);
  combo.reset();
  EXPECT_FALSE(windows->Exists(hwnd));
}

// Late-bound members reach the same state as the typed API, selection counted in characters.
TEST(EditControls, LateBoundMembersAndSelection) {
  ScopedService<WindowTable> windows(std::make_shared<WindowTable>());
  auto box = widgets::TextBox::Make();
  LetMember(box, "", Variant::Text("Zoë Ann"));
  EXPECT_EQ(GetMember(box, "Text").ToText(), "Zoë Ann");
  LetMember(box, "SelStart", Variant::Long(2));
  LetMember(box, "SelLength", Variant::Long(99));
  EXPECT_EQ(box->SelText(), "ë Ann");
  EXPECT_EQ(GetMember(box, "SelLength").ToLong(), 5);
  LetMember(box, "BackColor", Variant::Long(static_cast<int32_t>(0x8000000Fu)));
  EXPECT_EQ(box->BackColor(), 0x8000000Fu);
  EXPECT_THROW(LetMember(box, "hwnd", Variant::Long(1)), Error);
  EXPECT_EQ(Raised([&] { (void)GetMember(box, "Caption"); }).Number(), err::kNoSuchMember);
}

// The type inquiry: a text box reports text; a control array and a timer report an object.
TEST(EditControls, TypeInquiryTellsSingleControlsFromArrays) {
  ScopedService<WindowTable> windows(std::make_shared<WindowTable>());
  auto box = widgets::TextBox::Make("x");
  auto array = std::make_shared<widgets::ControlArray>(std::vector<ObjectPtr>{box});
  EXPECT_EQ(box->DefaultVarType(), VarType::String);
  EXPECT_EQ(array->DefaultVarType(), VarType::Object);
  EXPECT_EQ(std::make_shared<widgets::Timer>()->DefaultVarType(), VarType::Object);
  EXPECT_EQ(GetMember(array, "", Args{Variant::Integer(0)}).ToObject(), box);
  EXPECT_EQ(GetMember(array, "Count").ToLong(), 1);
  EXPECT_EQ(Raised([&] { (void)GetMember(array, "", Args{Variant::Integer(1)}); }).Number(), 340);
}

}  // namespace
}  // namespace kw
