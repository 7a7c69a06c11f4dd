// The combo box's window messages: finding items, selecting one and dropping the list down.
#include <gtest/gtest.h>

#include "tests/doubles/harness.h"
#include "widgets/combo_box.h"

namespace kw {
namespace {

using widgets::ComboBox;
namespace m = widgets::combo_messages;

// Both finds ignore case, start after the given index and wrap round to the top.
TEST(ComboBoxMessages, FindsSelectsAndDropsDown) {
  ScopedService<WindowTable> windows(std::make_shared<WindowTable>());
  auto combo = ComboBox::Make({"apple", "Apricot", "banana"});
  const std::tuple<const char*, uint32_t, int64_t, const char*, int64_t> rows[] = {
      {"prefix from top", m::kFindString, -1, "ap", 0},
      {"prefix after 0", m::kFindString, 0, "ap", 1},
      {"prefix wraps", m::kFindString, 1, "ap", 0},
      {"prefix from last wraps", m::kFindString, 2, "B", 2},
      {"exact other case", m::kFindStringExact, -1, "APPLE", 0},
      {"exact is not prefix", m::kFindStringExact, -1, "app", -1},
      {"no match", m::kFindString, -1, "x", -1},
      {"empty text", m::kFindString, -1, "", -1},
      {"start beyond the end", m::kFindStringExact, 7, "banana", 2}};
  const Hwnd hwnd = combo->Hwnd();
  for (const auto& [name, msg, start, text, expected] : rows)
    EXPECT_EQ(windows->Send(hwnd, msg, start, Variant::Text(text)), expected) << name;
  EXPECT_EQ(windows->ClassName(hwnd), "ComboBox");
  int changes = 0;
  combo->OnChange([&] { ++changes; });
  EXPECT_EQ(windows->Send(hwnd, m::kSetCurSel, 3), -1);
  EXPECT_EQ(combo->ListIndex(), -1);
  EXPECT_EQ(windows->Send(hwnd, m::kSetCurSel, 1), 1);
  EXPECT_EQ(std::tuple(combo->Text(), changes), std::tuple("Apricot", 0));  // set by message: no change event
  EXPECT_EQ(windows->Send(hwnd, m::kGetDroppedState), 0);
  EXPECT_EQ(windows->Send(hwnd, m::kShowDropDown, 1), 1);
  EXPECT_EQ(windows->Send(hwnd, m::kGetDroppedState), 1);
  combo.reset();
  EXPECT_FALSE(windows->Exists(hwnd));
}

}  // namespace
}  // namespace kw
