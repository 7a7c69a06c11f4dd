// KeyedEntry and EntryList: the entries of a list view or a tree view, each with a key that is
// unique within its control (or empty), a text and a selected state, and the list that holds them
// in order, finds them by key through an index, and keeps at most one of them selected.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui_shared/platform/object.h"
#include "widgets/key_index.h"

namespace kw::widgets {

// Error numbers of the list and tree controls beside the runtime's own.
namespace widget_err {
inline constexpr int32_t kIndexOutOfBounds = 35600;  // a position beyond the entries
inline constexpr int32_t kElementNotFound = 35601;   // no entry has the key
inline constexpr int32_t kEntryRemoved = 35605;      // the entry was removed from its control
}  // namespace widget_err

class EntryList;
class KeyedEntry;
// A shared reference to an entry of a list or tree control.
using EntryPtr = std::shared_ptr<KeyedEntry>;

// One entry of a list or tree control. Reached by name through `Key`, `Text`, `Selected`,
// `Index` and `EnsureVisible`; the kinds of entry add their own members.
class KeyedEntry : public LateBound<KeyedEntry> {
 public:
  // The entry's key ("" for none).
  const std::string& Key() const { return key_; }
  // Gives the entry a new key; 35602 when another entry of the same control holds it.
  void Key(std::string key);
  // The text the control shows.
  std::string Text() const { return std::string(ShownText()); }
  // Changes the text the control shows.
  void Text(std::string text) { ShowText(std::move(text)); }
  // True when the entry is the control's selected one.
  bool Selected() const;
  // Selecting an entry unselects the one selected before; 35605 when the entry was removed.
  void Selected(bool selected);
  // The 1-based position in the control; 35605 when the entry was removed.
  int32_t Index() const;
  // Scrolls the entry into view (the control remembers it as its visible entry).
  void EnsureVisible();
  // False once the entry has been removed from its control or the control has gone.
  bool InControl() const { return owner_ != nullptr; }

  // The members reached by name: Key, Text, Selected, Index and EnsureVisible.
  static const MemberTable<KeyedEntry>& Members();

 protected:
  // An entry with `key`, not yet in a control.
  explicit KeyedEntry(std::string key) : key_(std::move(key)) {}
  // The text the control shows, where the kind of entry keeps it.
  virtual std::string_view ShownText() const = 0;
  // Keeps `text` as the text the control shows.
  virtual void ShowText(std::string text) = 0;

 private:
  friend class EntryList;
  EntryList& Owner() const;
  EntryPtr Self();

  EntryList* owner_ = nullptr;
  std::string key_;
};

// The entries of one control in order, with an index of their keys and the one selected entry.
class EntryList {
 public:
  EntryList() = default;
  ~EntryList();
  EntryList(const EntryList&) = delete;
  EntryList& operator=(const EntryList&) = delete;

  // Puts `entry` at 1-based `position` (at the end when 0); 35602 for a key already in use,
  // 35600 for a position beyond the end.
  void Insert(const EntryPtr& entry, int32_t position = 0);
  // Removes an entry. When it was selected, the entry that takes its place is selected, or the
  // new last entry when it was the last, so that the user keeps a selection while one is left.
  void Remove(const KeyedEntry& entry);
  // Removes every entry; none stays selected or visible.
  void Clear();

  // The number of entries.
  int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
  // By 1-based position (35600 beyond the ends).
  const EntryPtr& At(int32_t position) const;
  // By key; nullptr when no entry holds it.
  EntryPtr Find(std::string_view key) const;
  // By key when `index` is text (35601 when unknown), otherwise by position.
  EntryPtr Lookup(const Variant& index) const;
  // The 1-based position of an entry of this list.
  int32_t PositionOf(const KeyedEntry& entry) const;

  // The one entry of the list that is selected; nullptr when none.
  const EntryPtr& Selected() const { return selected_; }
  // Selects `entry` (nullptr: none) and unselects the one before.
  void Select(EntryPtr entry) { selected_ = std::move(entry); }
  // The entry of the list last scrolled into view; nullptr when none.
  const EntryPtr& Visible() const { return visible_; }
  // Remembers `entry` as the one last scrolled into view.
  void MakeVisible(EntryPtr entry) { visible_ = std::move(entry); }

  // Moves an entry to a new key (35602 when another entry holds it).
  void Rekey(KeyedEntry& entry, std::string key);

 private:
  std::vector<EntryPtr> entries_;
  // The entries by key; an entry keeps its key while it is listed under it.
  KeyIndex by_key_;
  EntryPtr selected_;
  EntryPtr visible_;
};

}  // namespace kw::widgets
