// ControlArray: an indexed group of controls under one name. It offers `Count`, `LBound`,
// `UBound` and `Item`; its default member needs an index, so the type inquiry reports an object.
// Elements are reached by index 0 to Count - 1.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "widgets/controls_collection.h"

namespace kw::widgets {

// A control array; indexes outside 0 to Count - 1 raise 340 (element does not exist).
class ControlArray : public kw::LateBound<ControlArray, ControlsCollection> {
 public:
  ControlArray() = default;
  // An array of the given controls, at indexes 0 to their count - 1.
  explicit ControlArray(const std::vector<kw::ObjectPtr>& elements);
  // The members reached by name: Count, LBound, UBound and Item (the default member).
  static const kw::MemberTable<ControlArray>& Members();

  // The control at `index`; 340 outside 0 to Count - 1.
  const kw::ObjectPtr& Item(int32_t index) const override;
  // The first and last index of the array.
  int32_t LBound() const { return 0; }
  // The last index; -1 for an empty array.
  int32_t UBound() const { return Count() - 1; }
};

}  // namespace kw::widgets
