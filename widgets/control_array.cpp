// The control array.
#include "widgets/control_array.h"

namespace kw::widgets {
namespace {
constexpr int32_t kNoSuchElement = 340;
}  // namespace

ControlArray::ControlArray(const std::vector<kw::ObjectPtr>& elements) {
  for (const auto& e : elements) Add(e);
}

const kw::ObjectPtr& ControlArray::Item(int32_t index) const {
  if (index < 0 || index >= Count()) kw::Raise(kNoSuchElement, "", "Control array element does not exist");
  return Controls()[static_cast<size_t>(index)];
}

const kw::MemberTable<ControlArray>& ControlArray::Members() {
  using A = ControlArray;
  static const kw::MemberTable<A> table{
      kw::Property<&A::LBound>("LBound"),
      kw::Property<&A::UBound>("UBound"),
  };
  return table;
}

}  // namespace kw::widgets
