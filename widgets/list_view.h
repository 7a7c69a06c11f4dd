// ListView: the headless list view. It holds its items (`ListItems`), column headers
// (`ColumnHeaders`) and small-icon image list (`SmallIcons`), keeps one item selected at a time,
// owns a window of class "ListView20WndClass", and takes the focus unless told to refuse it.
#pragma once

#include <memory>

#include "widgets/column_headers.h"
#include "widgets/entry_control.h"
#include "widgets/list_items.h"

namespace kw::widgets {

// The headless list view: its items, column headers and small-icon image list, one item selected
// at a time, a window of class "ListView20WndClass". Bind one to records with
// kw::FormBase::BindList; kw::widgets::ListText draws it as text.
class ListView : public LateBound<ListView, EntryControl> {
 public:
  // The window class of a list view.
  static constexpr const char* kClassName = "ListView20WndClass";

  ListView();
  // The type name the runtime reports: "ListView".
  std::string TypeName() const override { return "ListView"; }

  // The items.
  ListItems& Items() { return *items_; }
  // The column headers.
  ColumnHeaders& Columns() { return *columns_; }
  // The small-icon image list; nullptr when none was set.
  const ObjectPtr& SmallIcons() const { return small_icons_; }
  void SmallIcons(ObjectPtr image_list) { small_icons_ = std::move(image_list); }
  // The selected item; nullptr when none.
  std::shared_ptr<ListItem> SelectedListItem() const { return std::static_pointer_cast<ListItem>(SelectedItem()); }

  // The members reached by name besides a control's: ListItems, ColumnHeaders and SmallIcons.
  static const MemberTable<ListView>& Members();

 private:
  explicit ListView(std::shared_ptr<ListItems> items);

  std::shared_ptr<ListItems> items_;
  std::shared_ptr<ColumnHeaders> columns_ = std::make_shared<ColumnHeaders>();
  ObjectPtr small_icons_;
};

}  // namespace kw::widgets
