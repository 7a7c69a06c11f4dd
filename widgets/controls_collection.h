// ControlsCollection: a form's controls in their order, enumerable like the form's `Controls`
// collection, with `Count` and `Item` by position (0-based).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui_shared/platform/object.h"

namespace kw::widgets {

// The controls of a form, and the base of control arrays.
class ControlsCollection : public kw::LateBound<ControlsCollection> {
 public:
  std::string TypeName() const override { return "Object"; }
  // The members reached by name: Count and Item.
  static const kw::MemberTable<ControlsCollection>& Members();
  std::vector<kw::Variant> Enumerate() override;

  // Appends a control.
  void Add(kw::ObjectPtr control) { controls_.push_back(std::move(control)); }
  // The number of controls.
  int32_t Count() const { return static_cast<int32_t>(controls_.size()); }
  // The control at `index`; 9 outside 0 to Count - 1.
  virtual const kw::ObjectPtr& Item(int32_t index) const;

 protected:
  // The controls in order, for derived collections.
  const std::vector<kw::ObjectPtr>& Controls() const { return controls_; }

 private:
  std::vector<kw::ObjectPtr> controls_;
};

}  // namespace kw::widgets
