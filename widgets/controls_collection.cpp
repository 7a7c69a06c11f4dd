// The controls collection.
#include "widgets/controls_collection.h"

namespace kw::widgets {

const kw::ObjectPtr& ControlsCollection::Item(int32_t index) const {
  if (index < 0 || index >= Count()) kw::Raise(kw::err::kSubscript);
  return controls_[static_cast<size_t>(index)];
}

std::vector<kw::Variant> ControlsCollection::Enumerate() {
  std::vector<kw::Variant> out;
  out.reserve(controls_.size());
  for (const auto& c : controls_) out.push_back(kw::Variant::Object(c));
  return out;
}

const kw::MemberTable<ControlsCollection>& ControlsCollection::Members() {
  using kw::Args;
  using kw::Variant;
  using C = ControlsCollection;
  static const auto item = [](C& c, const Args& args) {
    return Variant::Object(c.Item(args.Required(0, "Index").ToLong()));
  };
  static const kw::MemberTable<C> table{
      {"", item, nullptr},
      {"Item", item, nullptr},
      {"Count", [](C& c, const Args&) { return Variant::Long(c.Count()); }, nullptr},
  };
  return table;
}

}  // namespace kw::widgets
