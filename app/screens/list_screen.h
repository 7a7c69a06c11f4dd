// ListScreen: a screen whose work is one list of records bound to a business object of class `Records`
// (the homes, a home's months): the object made on the application's database, the bound list,
// the view of both, and the object as the one that saving and leaving work on.
#pragma once

#include <memory>
#include <string>

#include "app/data/database.h"
#include "app/screens/bound_list.h"
#include "app/screens/screen_form.h"

namespace trf {

template <class Records>
class ListScreen : public ScreenForm {
 public:
  ListScreen(std::string key, std::string name, std::string title, kw::enumHomeMonth depends_on,
             const std::shared_ptr<Database>& database)
      : ScreenForm(std::move(key), std::move(name), std::move(title), depends_on),
        records_(std::make_shared<Records>(database)) {}

  // The list keeps a row selected for its own sake; while nothing of it is chosen (no home, no
  // month) no row is shown selected.
  void Describe(ScreenView& view) override {
    ScreenForm::Describe(view);
    list_->Describe(view);
    if (view.list) {
      for (auto& row : view.list->rows)
        for (size_t c = 0; c < row.size(); ++c) row[c] = ShownCell(c, std::move(row[c]));
    }
    if (!Chosen(view.context) && view.list) view.list->selected = -1;
    view.allows.undo = true;
  }
  // Reads the records afresh (what others stored since shows), the chosen one staying chosen.
  void UndoEdits() override {
    if (records_->Count() > 0 && records_->IsDirty()) records_->CancelEdit();
    Reload();
    Say("the list was read afresh");
  }
  int ListRows() const override { return list_ ? list_->Rows() : 0; }
  std::string ListCell(int row, int column) const override {
    return ShownCell(static_cast<size_t>(column), list_->Cell(row, column));
  }
  std::string ListKey(int row) const override { return list_ ? list_->Key(row) : std::string(); }

 protected:
  // Whether the context holds a record of this list as the current one.
  virtual bool Chosen(const ScreenContext& context) const = 0;
  // What a person reads for `text`, the list's value in column `column` (0-based): the value itself
  // unless a screen puts a coded value into words.
  virtual std::string ShownCell(size_t /*column*/, std::string text) const { return text; }
  // Binds the list to the records, `key_property` being their key and `columns` the column table
  // of LVColumnInfo.
  void BindList(const std::string& key_property, kw::Variant columns) {
    list_ = std::make_unique<BoundList>(records_, key_property, std::move(columns));
  }
  // Fills the list afresh from the records, the row of `selected_key` selected, and tells the front end.
  void Rebuild(const std::string& selected_key) {
    list_->Build(*Shared(), selected_key);
    Events().ListReset(*this);
  }
  // Tells the front end where the list's selection is now.
  void AnnounceSelection() { Events().SelectionMoved(*this, list_->SelectedRow()); }
  kw::LIPtr MainObject() override { return records_; }
  // A refused change of the current record is dropped: the record is as it was read.
  void Recover() override {
    if (records_->Count() > 0 && records_->IsDirty()) records_->CancelEdit();
  }

  const std::shared_ptr<Records>& records() const { return records_; }
  BoundList& list() const { return *list_; }

 private:
  std::shared_ptr<Records> records_;
  std::unique_ptr<BoundList> list_;
};

}  // namespace trf
