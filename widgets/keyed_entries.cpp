// The entries of list and tree controls: keys, selection, positions and removal.
#include "widgets/keyed_entries.h"

#include <algorithm>

#include "ui_shared/platform/control_members.h"
#include "widgets/collection_helpers.h"

namespace kw::widgets {

EntryList& KeyedEntry::Owner() const {
  if (!owner_) Raise(widget_err::kEntryRemoved, "", "The entry is no longer in its control");
  return *owner_;
}

EntryPtr KeyedEntry::Self() { return std::static_pointer_cast<KeyedEntry>(shared_from_this()); }

void KeyedEntry::Key(std::string key) {
  if (owner_) {
    owner_->Rekey(*this, std::move(key));
  } else {
    key_ = std::move(key);
  }
}

bool KeyedEntry::Selected() const { return owner_ && owner_->Selected().get() == this; }

void KeyedEntry::Selected(bool selected) {
  EntryList& owner = Owner();
  if (selected) {
    owner.Select(Self());
  } else if (Selected()) {
    owner.Select(nullptr);
  }
}

int32_t KeyedEntry::Index() const { return Owner().PositionOf(*this); }

void KeyedEntry::EnsureVisible() { Owner().MakeVisible(Self()); }

const MemberTable<KeyedEntry>& KeyedEntry::Members() {
  using E = KeyedEntry;
  static const auto text = [](E& e, const Args&) { return Variant::Text(e.Text()); };
  static const auto let_text = [](E& e, const Variant& v, const Args&) { e.Text(v.ToText()); };
  static const MemberTable<E> table{
      {member::kKey, MemberKind::kProperty, [](E& e, const Args&) { return Variant::Text(e.Key()); },
       [](E& e, const Variant& v, const Args&) { e.Key(v.ToText()); }},
      {member::kText, MemberKind::kProperty, text, let_text},
      {member::kDefault, MemberKind::kProperty, text, let_text},
      {member::kSelected, MemberKind::kProperty, [](E& e, const Args&) { return Variant::Boolean(e.Selected()); },
       [](E& e, const Variant& v, const Args&) { e.Selected(v.ToBoolean()); }},
      Property<&E::Index>("Index"),
      Method<&E::EnsureVisible>(member::kEnsureVisible),
  };
  return table;
}

EntryList::~EntryList() { Clear(); }

void EntryList::Insert(const EntryPtr& entry, int32_t position) {
  CheckInsertPosition(position, Count());
  if (!entry->key_.empty() && !by_key_.Insert(*entry)) Raise(err::kKeyNotUnique, "", "Key is not unique in collection");
  InsertAt(entries_, entry, position);
  entry->owner_ = this;
}

void EntryList::Remove(const KeyedEntry& entry) {
  const int32_t position = PositionOf(entry);
  const EntryPtr keep = entries_[static_cast<size_t>(position - 1)];
  if (!entry.key_.empty()) by_key_.Erase(entry.key_);
  entries_.erase(entries_.begin() + (position - 1));
  keep->owner_ = nullptr;
  if (visible_ == keep) visible_ = nullptr;
  if (selected_ == keep) selected_ = entries_.empty() ? nullptr : At(std::min(position, Count()));
}

void EntryList::Clear() {
  for (const EntryPtr& e : entries_) e->owner_ = nullptr;
  entries_.clear();
  by_key_.Clear();
  selected_ = nullptr;
  visible_ = nullptr;
}

const EntryPtr& EntryList::At(int32_t position) const {
  if (position < 1 || position > Count()) Raise(widget_err::kIndexOutOfBounds, "", "Index out of bounds");
  return entries_[static_cast<size_t>(position - 1)];
}

EntryPtr EntryList::Find(std::string_view key) const {
  KeyedEntry* found = by_key_.Find(key);
  return found ? found->Self() : nullptr;
}

EntryPtr EntryList::Lookup(const Variant& index) const {
  if (index.IsText()) {
    EntryPtr found = Find(index.GetText());
    if (!found) Raise(widget_err::kElementNotFound, "", "Element not found");
    return found;
  }
  return At(index.ToLong());
}

int32_t EntryList::PositionOf(const KeyedEntry& entry) const {
  if (entry.owner_ != this) Raise(widget_err::kEntryRemoved, "", "The entry is no longer in its control");
  const auto it = std::find_if(entries_.begin(), entries_.end(), [&](const EntryPtr& e) { return e.get() == &entry; });
  return static_cast<int32_t>(it - entries_.begin()) + 1;
}

void EntryList::Rekey(KeyedEntry& entry, std::string key) {
  if (entry.key_ == key) return;
  if (!key.empty() && by_key_.Find(key)) Raise(err::kKeyNotUnique, "", "Key is not unique in collection");
  if (!entry.key_.empty()) by_key_.Erase(entry.key_);
  entry.key_ = std::move(key);
  if (!entry.key_.empty()) by_key_.Insert(entry);
}

}  // namespace kw::widgets
