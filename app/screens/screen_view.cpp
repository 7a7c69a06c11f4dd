// Reading a headless list view into a ScreenList.
#include "app/screens/screen_view.h"

#include "widgets/list_view.h"

namespace trf {

ScreenList DescribeListView(const kw::ObjectPtr& list_view, bool with_rows) {
  ScreenList list;
  auto view = kw::As<kw::widgets::ListView>(list_view);
  if (!view) return list;
  for (int32_t c = 1; c <= view->Columns().Count(); ++c) {
    const auto column = view->Columns().Item(kw::Variant::Long(c));
    list.headers.push_back(column->Text());
    list.widths.push_back(column->Width());
  }
  kw::widgets::EntryList& entries = view->Entries();
  if (entries.Selected()) list.selected = entries.Selected()->Index() - 1;
  if (!with_rows) return list;
  for (int32_t i = 1; i <= entries.Count(); ++i) {
    auto item = std::static_pointer_cast<kw::widgets::ListItem>(entries.At(i));
    std::vector<std::string> row{item->Text()};
    for (int32_t s = 1; s <= item->SubItems().Count(); ++s) row.emplace_back(item->SubItems().Text(s));
    list.rows.push_back(std::move(row));
  }
  return list;
}

}  // namespace trf
