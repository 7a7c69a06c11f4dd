// The headless list view.
#include "widgets/list_view.h"

#include "ui_shared/platform/control_members.h"

namespace kw::widgets {

ListView::ListView() : ListView(std::make_shared<ListItems>()) {}

ListView::ListView(std::shared_ptr<ListItems> items) : LateBound(kClassName, items), items_(std::move(items)) {}

const MemberTable<ListView>& ListView::Members() {
  using V = ListView;
  static const MemberTable<V> table{
      {member::kListItems, MemberKind::kProperty, [](V& v, const Args&) { return Variant::Object(v.items_); }},
      {member::kColumnHeaders, MemberKind::kProperty, [](V& v, const Args&) { return Variant::Object(v.columns_); }},
      {"SmallIcons", MemberKind::kProperty, [](V& v, const Args&) { return Variant::Object(v.SmallIcons()); },
       [](V& v, const Variant& value, const Args&) { v.SmallIcons(value.ToObject()); }},
  };
  return table;
}

}  // namespace kw::widgets
