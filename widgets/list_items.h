// The entries of the headless list view: ListItem (a keyed entry with a small icon and the texts of
// its further columns), ListSubItems (those texts as the collection reached by name), ListSubItem
// (one of them) and ListItems, the collection reached as `ListItems`, whose `Add` takes Index, Key,
// Text and SmallIcon (the large Icon, fourth, is not shown by this model). An item keeps its
// sub-items' texts packed in one buffer; their objects are made only when reached by name.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "widgets/entry_collection.h"

namespace kw::widgets {

// The text of one further column of a list item, as reached by name (a copy; sub-items are read-only).
class ListSubItem : public LateBound<ListSubItem> {
 public:
  // A sub-item with its key and text.
  ListSubItem(std::string key, std::string text) : key_(std::move(key)), text_(std::move(text)) {}
  std::string TypeName() const override { return "ListSubItem"; }
  // The key ("" for none).
  const std::string& Key() const { return key_; }
  // The text.
  const std::string& Text() const { return text_; }
  // The members reached by name: Key and Text.
  static const MemberTable<ListSubItem>& Members();

 private:
  std::string key_;
  std::string text_;
};

// The sub-items of one list item in column order, each a text and a key packed into one buffer.
class ListSubItemTexts {
 public:
  // Appends a sub-item (or puts it at 1-based `position`; 35600 beyond the end).
  void Add(std::string_view text, std::string_view key = {}, int32_t position = 0);
  // The number of sub-items.
  int32_t Count() const { return count_; }
  // By 1-based position; 35600 beyond the ends.
  std::string_view Text(int32_t position) const;
  // The key of the sub-item at 1-based `position`; 35600 beyond the ends.
  std::string_view Key(int32_t position) const;
  // The sub-item at 1-based `position` as an object (35600 beyond the ends).
  std::shared_ptr<ListSubItem> Item(int32_t position) const;

 private:
  // Where the sub-item at 0-based `index` starts in `packed_` (the end for `count_`).
  size_t Offset(int32_t index) const;
  // One piece (a length, then its bytes) starting at `offset`.
  std::string_view PieceAt(size_t offset) const;

  std::string packed_;  // per sub-item: the text, then the key, each as length and bytes
  int32_t count_ = 0;
};

// One entry of a list view.
class ListItem : public LateBound<ListItem, KeyedEntry> {
 public:
  // An item with `key`, `text` and its icon in the small-icon image list (Empty for none).
  ListItem(std::string key, std::string text, Variant small_icon)
      : LateBound(std::move(key), std::move(text)), small_icon_(std::move(small_icon)) {}
  // The type name the runtime reports: "ListItem".
  std::string TypeName() const override { return "ListItem"; }
  // The icon index or key in the small-icon image list; Empty when none was given.
  const Variant& SmallIcon() const { return small_icon_; }
  // The texts of the item's further columns.
  ListSubItemTexts& SubItems() { return sub_items_; }
  // The members reached by name besides an entry's: SmallIcon and ListSubItems.
  static const MemberTable<ListItem>& Members();

 private:
  Variant small_icon_;
  ListSubItemTexts sub_items_;
};

// The sub-items of one list item as the collection reached by name (`ListSubItems`).
class ListSubItems : public LateBound<ListSubItems> {
 public:
  // The sub-items of `item`.
  explicit ListSubItems(std::shared_ptr<ListItem> item) : item_(std::move(item)) {}
  std::string TypeName() const override { return "ListSubItems"; }
  // The number of sub-items.
  int32_t Count() const { return item_->SubItems().Count(); }
  // By 1-based position; 35600 beyond the ends.
  std::shared_ptr<ListSubItem> Item(int32_t position) const { return item_->SubItems().Item(position); }
  // The members reached by name: Count, Item and Add.
  static const MemberTable<ListSubItems>& Members();

 private:
  ListSubItemTexts& Texts() { return item_->SubItems(); }
  std::shared_ptr<ListItem> item_;
};

// The items of a list view.
class ListItems : public LateBound<ListItems, EntryCollection> {
 public:
  // The type name the runtime reports: "ListItems".
  std::string TypeName() const override { return "ListItems"; }
  // Adds an item at the end (or at 1-based `position`); 35602 for a key already in use.
  std::shared_ptr<ListItem> Add(std::string key, std::string text, Variant small_icon = Variant(),
                                int32_t position = 0);
  // The item at a 1-based position, or of a key when `index` is text; 35600 / 35601 when there is
  // none.
  std::shared_ptr<ListItem> Item(const Variant& index) const;
  // The members reached by name besides a collection's: Add.
  static const MemberTable<ListItems>& Members();
};

}  // namespace kw::widgets
