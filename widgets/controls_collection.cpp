// The controls collection.
#include "widgets/controls_collection.h"

#include "ui_shared/platform/control_members.h"

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
  using C = ControlsCollection;
  namespace m = kw::member;
  static const kw::MemberTable<C> table{
      kw::Method<&C::Item, "Index">(m::kDefault),
      kw::Method<&C::Item, "Index">(m::kItem),
      kw::Property<&C::Count>(m::kCount),
  };
  return table;
}

}  // namespace kw::widgets
