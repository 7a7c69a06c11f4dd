// A list view as text: headers, rows in order, the selected one marked, columns as wide as their
// widest text, a row without further texts blank there.
#include "widgets/list_text.h"

#include <gtest/gtest.h>

#include "ui_shared/platform/service.h"
#include "ui_shared/platform/windows.h"

namespace kw::widgets {
namespace {

TEST(ListTextTest, DrawsHeadersRowsAndTheSelection) {
  ScopedService<WindowTable> windows{std::make_shared<WindowTable>()};
  ListView list;
  list.Columns().Add("Name");
  list.Columns().Add("Hours a week");
  list.Items().Add("K1", "Ada Park")->SubItems().Add("12");
  list.Items().Add("K2", "Zoë Ndiaye")->SubItems().Add("8");
  const auto added = list.Items().Add("K3", "(new)");  // as AddItem leaves it: its own text only
  added->Selected(true);
  EXPECT_EQ(ListText(list),
            "  Name        Hours a week\n"
            "  Ada Park    12\n"
            "  Zoë Ndiaye  8\n"
            "> (new)\n");
}

}  // namespace
}  // namespace kw::widgets
