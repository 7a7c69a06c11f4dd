// The late-bound members shared by the entry collections of list and tree controls.
#include "widgets/entry_collection.h"

namespace kw::widgets {

std::vector<Variant> EntryCollection::Enumerate() {
  std::vector<Variant> all;
  all.reserve(static_cast<size_t>(Count()));
  for (int32_t i = 1; i <= Count(); ++i) all.push_back(Variant::Object(entries_.At(i)));
  return all;
}

const MemberTable<EntryCollection>& EntryCollection::Members() {
  static const auto item = [](EntryCollection& c, const Args& a) {
    return Variant::Object(c.Item(a.Required(0, "Index")));
  };
  static const MemberTable<EntryCollection> table{
      {"Count", [](EntryCollection& c, const Args&) { return Variant::Long(c.Count()); }, nullptr},
      {"Item", item, nullptr},
      {"", item, nullptr},
      {"Remove",
       [](EntryCollection& c, const Args& a) {
         c.Remove(a.Required(0, "Index"));
         return Variant();
       },
       nullptr},
      {"Clear",
       [](EntryCollection& c, const Args&) {
         c.Clear();
         return Variant();
       },
       nullptr},
  };
  return table;
}

}  // namespace kw::widgets
