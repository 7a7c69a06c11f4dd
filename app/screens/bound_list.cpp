// Building and clicking a list bound to a business object.
#include "app/screens/bound_list.h"

#include "app/screens/screen_refusal.h"
#include "ui_shared/shared_procedures/list_keys.h"

namespace trf {

BoundList::BoundList(kw::LIPtr object, std::string key_property, kw::Variant columns)
    : object_(std::move(object)), key_property_(std::move(key_property)), columns_(std::move(columns)) {}

void BoundList::Build(kw::SharedProcedures& shared, const std::string& selected_key) {
  previous_ = shared.BuildListView(view_, nullptr, 0, shown_ ? shown_ : object_, key_property_, columns_);
  SelectKey(selected_key);
}

void BoundList::Describe(ScreenView& view) const { view.list = DescribeListView(view_, view.list_rows_wanted); }

std::string BoundList::Cell(int row, int column) const {
  if (row < 0 || row >= Rows() || column < 0) return {};
  // The item by reference: a cell is read for every row a list shows or sums, with no count kept.
  auto& item = static_cast<kw::widgets::ListItem&>(*view_->Entries().At(row + 1));
  if (column == 0) return item.Text();
  const kw::widgets::ListSubItemTexts& sub_items = item.SubItems();
  return column <= sub_items.Count() ? std::string(sub_items.Text(column)) : std::string();
}

std::string BoundList::Key(int row) const {
  if (row < 0 || row >= Rows()) return {};
  return kw::RecordKeyOf(view_->Entries().At(row + 1)->Key(), "");
}

int BoundList::SelectedRow() const {
  const kw::widgets::EntryPtr& selected = view_->Entries().Selected();
  return selected ? selected->Index() - 1 : -1;
}

kw::ObjectPtr BoundList::Row(int row) const {
  if (row < 1 || row > Rows())
    throw ScreenRefusal("there is no row " + std::to_string(row) + "; the list has " + std::to_string(Rows()) +
                        (Rows() == 1 ? " row" : " rows"));
  return view_->Entries().At(row);
}

bool BoundList::Click(kw::SharedProcedures& shared, int row) { return ClickItem(shared, Row(row)); }

bool BoundList::ClickItem(kw::SharedProcedures& shared, const kw::ObjectPtr& item) {
  bool changed = false;
  previous_ = shared.ItemClick(item, previous_, object_, changed);
  return previous_ == item;
}

bool BoundList::SelectKey(const std::string& key) {
  const kw::widgets::EntryPtr entry = view_->Entries().Find(kw::ListKey(kw::kDefaultKeyPrefix, kw::Variant::Text(key)));
  if (!entry || !object_->Exists(key)) return false;
  object_->CurrentIndex(kw::Variant::Text(key));
  entry->Selected(true);
  entry->EnsureVisible();
  previous_ = entry;
  return true;
}

}  // namespace trf
