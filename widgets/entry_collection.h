// EntryCollection: the late-bound collection of a control's entries (`ListItems`, `Nodes`):
// `Count`, `Item` by key or position (also the default member), `Remove`, `Clear`. The kinds of
// collection add their own `Add`.
#pragma once

#include "widgets/keyed_entries.h"

namespace kw::widgets {

// The members list and tree collections share, over one EntryList.
class EntryCollection : public LateBound<EntryCollection> {
 public:
  // The entries, for the typed API.
  EntryList& Entries() { return entries_; }
  // The entries, for the typed API.
  const EntryList& Entries() const { return entries_; }

  // The number of entries.
  int32_t Count() const { return entries_.Count(); }
  // By key (text) or 1-based position; 35601 / 35600 when there is none.
  EntryPtr Item(const Variant& index) const { return entries_.Lookup(index); }
  // Removes the entry of a key or position; a selected entry hands its selection on.
  void Remove(const Variant& index) { entries_.Remove(*entries_.Lookup(index)); }
  // Removes every entry of the control (the `Clear` a form calls by name).
  void Clear() { entries_.Clear(); }

  std::vector<Variant> Enumerate() override;
  // The members reached by name: Count, Item (the default member), Remove and Clear.
  static const MemberTable<EntryCollection>& Members();

 private:
  EntryList entries_;
};

}  // namespace kw::widgets
