// The late-bound members shared by the entry collections of list and tree controls.
#include "widgets/entry_collection.h"

#include "ui_shared/platform/control_members.h"

namespace kw::widgets {

std::vector<Variant> EntryCollection::Enumerate() {
  std::vector<Variant> all;
  all.reserve(static_cast<size_t>(Count()));
  for (int32_t i = 1; i <= Count(); ++i) all.push_back(Variant::Object(entries_.At(i)));
  return all;
}

const MemberTable<EntryCollection>& EntryCollection::Members() {
  using C = EntryCollection;
  static const MemberTable<C> table{
      Property<&C::Count>(member::kCount),         Method<&C::Item, "Index">(member::kItem),
      Method<&C::Item, "Index">(member::kDefault), Method<&C::Remove, "Index">(member::kRemove),
      Method<&C::Clear>(member::kClear),
  };
  return table;
}

}  // namespace kw::widgets
