// List items, their sub-items and the list view's item collection.
#include "widgets/list_items.h"

#include "ui_shared/platform/control_members.h"
#include "widgets/collection_helpers.h"

namespace kw::widgets {

const MemberTable<ListSubItem>& ListSubItem::Members() {
  using S = ListSubItem;
  static const MemberTable<S> table{
      Property<&S::Text>(member::kText),
      Property<&S::Text>(member::kDefault),
      Property<&S::Key>(member::kKey),
  };
  return table;
}

std::shared_ptr<ListSubItem> ListSubItems::Add(std::string text, std::string key, int32_t position) {
  auto sub = std::make_shared<ListSubItem>(std::move(key), std::move(text));
  InsertAt(items_, sub, position);
  return sub;
}

const std::shared_ptr<ListSubItem>& ListSubItems::Item(int32_t position) const {
  if (position < 1 || position > Count()) Raise(widget_err::kIndexOutOfBounds, "", "Index out of bounds");
  return items_[static_cast<size_t>(position - 1)];
}

const MemberTable<ListSubItems>& ListSubItems::Members() {
  using S = ListSubItems;
  static const MemberTable<S> table{
      {member::kAdd, MemberKind::kMethod,
       [](S& s, const Args& a) {
         return Variant::Object(s.Add(OptionalText(a, 2, "Text"), OptionalText(a, 1, "Key"), OptionalPosition(a, 0)));
       }},
      Property<&S::Count>(member::kCount),
      Method<&S::Item, "Index">(member::kItem),
      Method<&S::Item, "Index">(member::kDefault),
  };
  return table;
}

ListSubItems& ListItem::SubItems() {
  if (!sub_items_) sub_items_ = std::make_shared<ListSubItems>();
  return *sub_items_;
}

const MemberTable<ListItem>& ListItem::Members() {
  using I = ListItem;
  static const MemberTable<I> table{
      {"SmallIcon", MemberKind::kProperty, [](I& i, const Args&) { return i.SmallIcon(); },
       [](I& i, const Variant& v, const Args&) { i.small_icon_ = v; }},
      {member::kListSubItems, MemberKind::kProperty,
       [](I& i, const Args&) {
         i.SubItems();
         return Variant::Object(i.sub_items_);
       }},
  };
  return table;
}

std::shared_ptr<ListItem> ListItems::Add(std::string key, std::string text, Variant small_icon, int32_t position) {
  auto item = std::make_shared<ListItem>(std::move(key), std::move(text), std::move(small_icon));
  Entries().Insert(item, position);
  return item;
}

std::shared_ptr<ListItem> ListItems::Item(const Variant& index) const {
  return std::static_pointer_cast<ListItem>(EntryCollection::Item(index));
}

const MemberTable<ListItems>& ListItems::Members() {
  static const MemberTable<ListItems> table{
      {member::kAdd, MemberKind::kMethod,
       [](ListItems& c, const Args& a) {
         return Variant::Object(c.Add(OptionalText(a, 1, "Key"), OptionalText(a, 2, "Text"),
                                      a.Optional(4, "SmallIcon"), OptionalPosition(a, 0)));
       }},
  };
  return table;
}

}  // namespace kw::widgets
