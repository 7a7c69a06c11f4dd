// The entries of the headless list view: ListItem (a keyed entry with a small icon and the texts of
// its further columns), ListSubItems (those texts as the collection reached by name), ListSubItem
// (one of them) and ListItems, the collection reached as `ListItems`, whose `Add` takes Index, Key,
// Text and SmallIcon (the large Icon, fourth, is not shown by this model). An item keeps its own
// text and its sub-items' texts packed in one buffer, made with room for somewhat more than the
// item before needed and trimmed to its size once the next item is added; the sub-items' objects
// are made only when reached by name, and refer to the texts there.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "widgets/entry_collection.h"
#include "widgets/item_icon.h"

namespace kw::widgets {

class ListSubItem;

// The texts of one list item packed into one buffer: the item's own text, then per sub-item, in the
// order they were added, its text and key. A piece keeps its place in the buffer for the item's
// life (an insert before a sub-item changes the order, not the buffer; a new item text goes to the
// end), so that a sub-item object refers to its texts there.
class ListSubItemTexts {
 public:
  // The texts of an item whose own text is `text`, with room for `room` bytes of packed texts.
  explicit ListSubItemTexts(std::string_view text = {}, size_t room = 0);

  // The item's own text.
  std::string_view ItemText() const { return PieceAt(text_place_); }
  // Replaces the item's own text; the sub-items keep their places.
  void ItemText(std::string_view text);

  // Appends a sub-item (or puts it at 1-based `position`; 35600 beyond the end).
  void Add(std::string_view text, std::string_view key = {}, int32_t position = 0);
  // The number of sub-items.
  int32_t Count() const { return count_; }
  // The text of the sub-item at 1-based `position`; 35600 beyond the ends.
  std::string_view Text(int32_t position) const;
  // The key of the sub-item at 1-based `position`; 35600 beyond the ends.
  std::string_view Key(int32_t position) const;
  // The sub-item at 1-based `position` as an object of its own, holding a copy of its texts
  // (35600 beyond the ends).
  std::shared_ptr<ListSubItem> Item(int32_t position) const;

  // Where the sub-item at 1-based `position` lies in the buffer (35600 beyond the ends).
  uint32_t PlaceOf(int32_t position) const;
  // The text of the sub-item at `place` in the buffer.
  std::string_view TextAt(uint32_t place) const { return PieceAt(place); }
  // The key of the sub-item at `place` in the buffer.
  std::string_view KeyAt(uint32_t place) const;
  // The bytes the packed texts take now (what the next item of the list makes room for).
  size_t PackedSize() const { return size_; }
  // Gives back the room the texts do not use, once their item is complete.
  void ShrinkToFit();

 private:
  // Frees the buffer, which is sized with the C allocator so that it can grow in place.
  struct FreeBytes {
    void operator()(char* bytes) const;
  };

  // One piece (its length, then its bytes) starting at `place`.
  std::string_view PieceAt(size_t place) const;
  size_t PieceEnd(size_t place) const;
  // Appends `first` and, unless null, `second` as pieces at the end, growing the buffer to fit;
  // returns where `first` starts.
  uint32_t Append(std::string_view first, const std::string_view* second = nullptr);
  // The places of the sub-items in column order, read from the buffer.
  std::unique_ptr<std::vector<uint32_t>> OrderFromBuffer() const;

  std::unique_ptr<char, FreeBytes> bytes_;
  uint32_t size_ = 0;
  uint32_t capacity_ = 0;
  // The places in column order, made at the first insert or new item text: until then the
  // sub-items follow the item's text in the buffer's order.
  std::unique_ptr<std::vector<uint32_t>> order_;
  int32_t count_ = 0;
  uint32_t text_place_ = 0;  // where the item's own text lies
};

// The text of one further column of a list item, as reached by name (sub-items are read-only): it
// refers to its place in the item's texts, which it keeps alive.
class ListSubItem : public LateBound<ListSubItem> {
 public:
  // The sub-item at `place` in `texts`.
  ListSubItem(std::shared_ptr<const ListSubItemTexts> texts, uint32_t place)
      : texts_(std::move(texts)), place_(place) {}
  std::string TypeName() const override { return "ListSubItem"; }
  // The key ("" for none).
  std::string Key() const { return std::string(texts_->KeyAt(place_)); }
  // The text.
  std::string Text() const { return std::string(texts_->TextAt(place_)); }
  // The members reached by name: Key and Text.
  static const MemberTable<ListSubItem>& Members();

 private:
  friend class ListSubItems;
  std::shared_ptr<const ListSubItemTexts> texts_;
  uint32_t place_;
};

// One entry of a list view.
class ListItem : public LateBound<ListItem, KeyedEntry> {
 public:
  // An item with `key`, `text` and its icon in the small-icon image list (Empty for none), with
  // room for `room` bytes of packed texts.
  ListItem(std::string key, std::string_view text, const Variant& small_icon, size_t room = 0)
      : LateBound(std::move(key)), sub_items_(text, room), small_icon_(small_icon) {}
  // The type name the runtime reports: "ListItem".
  std::string TypeName() const override { return "ListItem"; }
  // The icon index or key in the small-icon image list; Empty when none was given.
  Variant SmallIcon() const { return small_icon_.Value(); }
  // The texts of the item's further columns.
  ListSubItemTexts& SubItems() { return sub_items_; }
  // The members reached by name besides an entry's: SmallIcon and ListSubItems.
  static const MemberTable<ListItem>& Members();

 protected:
  // The item's own text, kept at the start of its packed texts.
  std::string_view ShownText() const override { return sub_items_.ItemText(); }
  // Replaces the item's own text; the sub-items keep their texts.
  void ShowText(std::string text) override { sub_items_.ItemText(text); }

 private:
  ListSubItemTexts sub_items_;
  ItemIcon small_icon_;
};

// The sub-items of one list item as the collection reached by name (`ListSubItems`).
class ListSubItems : public LateBound<ListSubItems> {
 public:
  // The collection of `item`'s sub-items, which it keeps alive.
  explicit ListSubItems(const std::shared_ptr<ListItem>& item) : texts_(item, &item->SubItems()) {}
  // The collection of `item`'s sub-items as reached by name. A fill asks for it once per item and
  // lets go of it at once: the one handed out last is used again once nobody holds it, instead of
  // one made per item.
  static std::shared_ptr<ListSubItems> Of(const std::shared_ptr<ListItem>& item);
  std::string TypeName() const override { return "ListSubItems"; }
  // How many sub-items the item has.
  int32_t Count() const { return texts_->Count(); }
  // The sub-item at 1-based `position`, as the object a form reaches by name; 35600 beyond the ends.
  std::shared_ptr<ListSubItem> Item(int32_t position) const { return SubItemAt(texts_->PlaceOf(position)); }
  // The members reached by name: Add, Count and Item (the default).
  static const MemberTable<ListSubItems>& Members();

 private:
  // The sub-item at `place`. The one handed out last is used again once its caller has let go of
  // it: a fill that adds sub-items and drops each at once then makes one object, not one each.
  std::shared_ptr<ListSubItem> SubItemAt(uint32_t place) const;

  std::shared_ptr<ListSubItemTexts> texts_;  // the item's texts, sharing the item's life
  mutable std::shared_ptr<ListSubItem> last_;
};

// The items of a list view.
class ListItems : public LateBound<ListItems, EntryCollection> {
 public:
  // The type name the runtime reports: "ListItems".
  std::string TypeName() const override { return "ListItems"; }
  // Adds an item at the end (or at 1-based `position`); 35602 for a key already in use.
  std::shared_ptr<ListItem> Add(std::string key, std::string_view text, const Variant& small_icon = Variant(),
                                int32_t position = 0);
  // The item at a 1-based position, or of a key when `index` is text; 35600 / 35601 when there is
  // none.
  std::shared_ptr<ListItem> Item(const Variant& index) const;
  // The members reached by name besides a collection's: Add.
  static const MemberTable<ListItems>& Members();
};

}  // namespace kw::widgets
