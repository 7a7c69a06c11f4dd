// The window table: class names, sent messages answered at once, posted ones delivered when pumped.
#include "ui_shared/platform/windows.h"

#include <gtest/gtest.h>

#include <vector>

#include "ui_shared/platform/service.h"

namespace kw {
namespace {

// Class names are cut to the buffer size less one, as a fixed buffer receives them.
TEST(WindowTableTest, ClassNamesAreCutSendAnswersAtOncePostWaitsForThePump) {
  ScopedService<WindowTable> table(std::make_shared<WindowTable>());
  const Hwnd tree = table->Create("TreeView20WndClass", nullptr);
  EXPECT_EQ(table->ClassName(tree, 9), "TreeView");
  EXPECT_EQ(table->ClassName(tree), "TreeView20WndClass");
  EXPECT_EQ(table->ClassName(tree + 100, 9), "");
  std::vector<std::string> seen;
  const Hwnd a = table->Create("Edit", [&](const WindowMessage& m) {
    seen.push_back("a" + std::to_string(m.msg) + ":" + m.lparam.ToText());
    return int64_t{m.wparam * 2};
  });
  const Hwnd b = table->Create("Edit", [&](const WindowMessage& m) {
    seen.push_back("b" + std::to_string(m.msg));
    return int64_t{0};
  });
  EXPECT_EQ(table->Send(a, 7, 21, Variant::Text("x")), 42);
  EXPECT_TRUE(table->Post(a, 8, 0, Variant::Text("later")));
  EXPECT_TRUE(table->Post(b, 9));
  EXPECT_TRUE(table->Post(b, 10));
  EXPECT_EQ(seen.size(), 1u);
  table->Destroy(b);
  EXPECT_FALSE(table->Post(b, 11));
  Service<EventPump>::Get().DoEvents();
  EXPECT_EQ(seen, (std::vector<std::string>{"a7:x", "a8:later"}));
  EXPECT_EQ(table->PendingCount(), 0u);
  EXPECT_EQ(table->Send(b, 1), 0);
  // A message posted while delivering waits for the next pump.
  int count = 0;
  Hwnd self = 0;
  self = table->Create("Edit", [&](const WindowMessage&) {
    if (++count < 3) table->Post(self, 1);
    return int64_t{0};
  });
  table->Post(self, 1);
  EXPECT_EQ(table->DeliverPosted(), 1u);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(table->DeliverPosted(), 1u);
  EXPECT_EQ(count, 2);
}

}  // namespace
}  // namespace kw
