// The headless list view.
#include "widgets/list_view.h"

namespace kw::widgets {

ListView::ListView() : ListView(std::make_shared<ListItems>()) {}

ListView::ListView(std::shared_ptr<ListItems> items) : LateBound(kClassName, items), items_(std::move(items)) {}

const MemberTable<ListView>& ListView::Members() {
  static const MemberTable<ListView> table{
      {"ListItems", [](ListView& v, const Args&) { return Variant::Object(v.items_); }, nullptr},
      {"ColumnHeaders", [](ListView& v, const Args&) { return Variant::Object(v.columns_); }, nullptr},
      {"SmallIcons", [](ListView& v, const Args&) { return Variant::Object(v.SmallIcons()); },
       [](ListView& v, const Variant& value, const Args&) { v.SmallIcons(value.ToObject()); }},
  };
  return table;
}

}  // namespace kw::widgets
