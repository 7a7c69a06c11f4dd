// The entries of the headless list view: ListItem (a keyed entry with a small icon and its
// sub-items), ListSubItems (the texts of the further columns) and ListItems, the collection
// reached as `ListItems`, whose `Add` takes Index, Key, Text and SmallIcon
// (the large Icon, fourth, is not shown by this model).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "widgets/entry_collection.h"

namespace kw::widgets {

// The text of one further column of a list item.
class ListSubItem : public LateBound<ListSubItem> {
 public:
  ListSubItem(std::string key, std::string text) : key_(std::move(key)), text_(std::move(text)) {}
  std::string TypeName() const override { return "ListSubItem"; }
  const std::string& Key() const { return key_; }
  const std::string& Text() const { return text_; }
  static const MemberTable<ListSubItem>& Members();

 private:
  std::string key_;
  std::string text_;
};

// The sub-items of one list item, in column order.
class ListSubItems : public LateBound<ListSubItems> {
 public:
  std::string TypeName() const override { return "ListSubItems"; }
  // Appends a sub-item (or puts it at 1-based `position`; 35600 beyond the end).
  std::shared_ptr<ListSubItem> Add(std::string text, std::string key = "", int32_t position = 0);
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  // By 1-based position; 35600 beyond the ends.
  const std::shared_ptr<ListSubItem>& Item(int32_t position) const;
  static const MemberTable<ListSubItems>& Members();

 private:
  std::vector<std::shared_ptr<ListSubItem>> items_;
};

// One entry of a list view.
class ListItem : public LateBound<ListItem, KeyedEntry> {
 public:
  ListItem(std::string key, std::string text, Variant small_icon)
      : LateBound(std::move(key), std::move(text)), small_icon_(std::move(small_icon)) {}
  std::string TypeName() const override { return "ListItem"; }
  // The icon index or key in the small-icon image list; Empty when none was given.
  const Variant& SmallIcon() const { return small_icon_; }
  ListSubItems& SubItems();
  static const MemberTable<ListItem>& Members();

 private:
  Variant small_icon_;
  std::shared_ptr<ListSubItems> sub_items_;
};

// The items of a list view.
class ListItems : public LateBound<ListItems, EntryCollection> {
 public:
  std::string TypeName() const override { return "ListItems"; }
  // Adds an item at the end (or at 1-based `position`); 35602 for a key already in use.
  std::shared_ptr<ListItem> Add(std::string key, std::string text, Variant small_icon = Variant(), int32_t position = 0);
  std::shared_ptr<ListItem> Item(const Variant& index) const;
  static const MemberTable<ListItems>& Members();
};

}  // namespace kw::widgets
