// ComboBox: a text field with a drop-down list of items. Besides the members of every edit
// control it offers `List`, `ListCount`, `ListIndex`, `AddItem`, `RemoveItem` and `Clear`, and its
// window answers the combo-box messages: dropped state, show drop-down, find exact, find prefix
// (both ignore case, start after the given index and wrap round) and select item.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui_shared/platform/combo_messages.h"
#include "widgets/edit_control.h"

namespace kw::widgets {

namespace combo_messages = kw::combo_messages;

// A combo box with an editable text and a list of items.
class ComboBox : public kw::LateBound<ComboBox, EditControl> {
 public:
  ComboBox();
  // A combo box whose list holds `items`.
  static std::shared_ptr<ComboBox> Make(const std::vector<std::string>& items);
  // The type name the runtime reports: "ComboBox".
  std::string TypeName() const override { return "ComboBox"; }
  // The members reached by name besides those of every edit control: List, ListCount, ListIndex,
  // AddItem, RemoveItem and Clear.
  static const kw::MemberTable<ComboBox>& Members();

  // Appends an item to the list.
  void AddItem(std::string item) { items_.push_back(std::move(item)); }
  // Removes the item at `index` (5 when there is none).
  void RemoveItem(int32_t index);
  // Empties the list and the text, and clears the selection.
  void Clear();
  // The items in order.
  const std::vector<std::string>& Items() const { return items_; }
  // The number of items.
  int32_t ListCount() const { return static_cast<int32_t>(items_.size()); }
  // The item at `index` (381 when there is none).
  const std::string& List(int32_t index) const;
  // The selected item, -1 for none.
  int32_t ListIndex() const { return list_index_; }
  // Selects an item and shows its text (no change is reported); -1 clears the selection. 380
  // beyond the list.
  void SetListIndex(int32_t index);
  // True while the drop-down list is open.
  bool Dropped() const { return dropped_; }
  // Opens or closes the drop-down list.
  void SetDropped(bool dropped) { dropped_ = dropped; }

  // The first item, after `start` and wrapping round, equal to `text` (exact) or beginning with
  // it (prefix), ignoring case; -1 when none or when `text` is empty.
  int32_t Find(const std::string& text, int32_t start, bool exact) const;

 private:
  int64_t Answer(const kw::WindowMessage& message);

  std::vector<std::string> items_;
  int32_t list_index_ = -1;
  bool dropped_ = false;
};

}  // namespace kw::widgets
