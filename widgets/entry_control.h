// EntryControl: what the list view and the tree view share as controls: a window in the window
// table (Service<WindowTable>) under the control's class name, the focus (which a test can make
// the control refuse), and `SelectedItem`, the selected entry or nothing.
#pragma once

#include <string>

#include "ui_shared/platform/windows.h"
#include "widgets/entry_collection.h"

namespace kw::widgets {

// A control whose entries live in an EntryCollection.
class EntryControl : public LateBound<EntryControl> {
 public:
  ~EntryControl() override;
  EntryControl(const EntryControl&) = delete;
  EntryControl& operator=(const EntryControl&) = delete;

  // The control's window.
  Hwnd hwnd() const { return hwnd_; }
  // Takes the focus; 5 while the control refuses it (hidden or disabled, as tests arrange).
  void SetFocus();
  // True while the control has the focus.
  bool HasFocus() const { return has_focus_; }
  // Makes the control refuse the focus (as a hidden or disabled one does), or take it again.
  void RefuseFocus(bool refuse) { refuses_focus_ = refuse; }

  // The control's entries in order.
  EntryList& Entries() { return collection_->Entries(); }
  // The control's selected entry (its `SelectedItem` by name); nullptr when none.
  const EntryPtr& SelectedItem() const { return collection_->Entries().Selected(); }
  // The entry of the control that EnsureVisible scrolled into view last; nullptr when none.
  const EntryPtr& VisibleItem() const { return collection_->Entries().Visible(); }

  // The members reached by name: SelectedItem, hwnd and SetFocus.
  static const MemberTable<EntryControl>& Members();

 protected:
  // Registers the control's window under `class_name`.
  EntryControl(const std::string& class_name, std::shared_ptr<EntryCollection> collection);
  // The collection of the control's entries.
  const std::shared_ptr<EntryCollection>& Collection() const { return collection_; }

 private:
  std::shared_ptr<EntryCollection> collection_;
  Hwnd hwnd_;
  bool has_focus_ = false;
  bool refuses_focus_ = false;
};

}  // namespace kw::widgets
