// BoundList: a headless list view bound to a business object through the library: built with
// BuildListView from a column table, rows clicked through ItemClick, so that the list's selection
// and the object's current record move together.
#pragma once

#include <memory>
#include <string>

#include "app/screens/screen_view.h"
#include "ui_shared/shared_procedures/shared_procedures.h"
#include "widgets/list_view.h"

namespace trf {

class BoundList {
 public:
  // `key_property`: the object's property that is field 1 (the record key) of its records;
  // `columns`: the column table of LVColumnInfo. `object` may come later, through Bind.
  BoundList(kw::LIPtr object, std::string key_property, kw::Variant columns);

  // Binds the list to another object of the same class (one loaded afresh); Build fills it from
  // `shown` when given (the same records, read as the list shows them), else from the object.
  void Bind(kw::LIPtr object, kw::ObjectPtr shown = nullptr) {
    object_ = std::move(object);
    shown_ = std::move(shown);
  }
  // Empties the list and fills it from the object's records; the row whose record has
  // `selected_key` is selected and its record current, else the first row and record.
  void Build(kw::SharedProcedures& shared, const std::string& selected_key);
  // The user clicks row `row` (1-based): ItemClick secures the record being left and moves the
  // object's current record. True when that row is selected afterwards (also when it already
  // was); false when the record being left could not be kept. A ScreenRefusal for a row the
  // list does not have.
  [[nodiscard]] bool Click(kw::SharedProcedures& shared, int row);
  // The same for a list item of this list, however it was reached.
  [[nodiscard]] bool ClickItem(kw::SharedProcedures& shared, const kw::ObjectPtr& item);
  // The item of row `row` (1-based); a ScreenRefusal for a row the list does not have.
  kw::ObjectPtr Row(int row) const;
  // Selects the row whose record has `key`, makes that record current and scrolls the row into
  // view, without securing anything (after a reload or a check moved the record); false when no
  // row has it.
  bool SelectKey(const std::string& key);

  const std::shared_ptr<kw::widgets::ListView>& View() const { return view_; }
  // The selected list item; nothing when none.
  kw::ObjectPtr SelectedItem() const { return view_->SelectedItem(); }
  // The item a later click leaves: the one selected by the last build, click or selection, or
  // set by the list's owner after it changed the list through the library.
  kw::ObjectPtr& PreviousItem() { return previous_; }
  int32_t Rows() const { return view_->Entries().Count(); }
  // The text of cell `column` of row `row` (both 0-based) as the list shows it; "" outside the list.
  std::string Cell(int row, int column) const;
  // The record key of row `row` (0-based), as the list keys it without its prefix; "" outside the list.
  std::string Key(int row) const;
  // The selected row (0-based); -1 when none is.
  int SelectedRow() const;
  // Shows the list in `view` (its rows when the view wants them).
  void Describe(ScreenView& view) const;

 private:
  std::shared_ptr<kw::widgets::ListView> view_ = std::make_shared<kw::widgets::ListView>();
  kw::LIPtr object_;
  kw::ObjectPtr shown_;
  std::string key_property_;
  kw::Variant columns_;
  kw::ObjectPtr previous_;
};

}  // namespace trf
