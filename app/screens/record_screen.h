// RecordScreen: a screen over the records of one business object. A list bound to the object
// (built with LVColumnInfo and BuildListView) shows the records; text boxes tied to the object's fields
// by control tags edit the current record; the fields and their captions, kinds and bounds come from
// the description of the object's table. Selecting, adding and removing go through ItemClick,
// AddItem and RemoveItem; an edited field is checked with ValidateField as when the user leaves
// it; the field that has the focus wears the active-field colours, and the fields
// turn read-only (ToggleReadWrite) while there is nothing the user may edit.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/business/business_object.h"
#include "app/screens/bound_list.h"
#include "app/screens/lookup_choices.h"
#include "app/screens/screen_form.h"
#include "widgets/control_array.h"
#include "widgets/text_box.h"

namespace trf {

// What a record screen shows: its class and table, and whether the person adds and removes
// records. Its fields are the table's columns that have a field word, in their order, each with
// the caption, kind and bounds its column describes; its list shows the columns the table marks
// for listing (a list width), in their order, under their captions.
struct RecordScreenLayout {
  int16_t class_number = 0;
  const TableDescription* table = nullptr;
  // The text of the list entry of a record just added.
  std::string new_entry_text = {};
  // Whether the person adds and removes the records (not when they follow other records).
  bool adds_records = true;
};

class RecordScreen : public ScreenForm {
 public:
  RecordScreen(std::string key, std::string name, std::string title, kw::enumHomeMonth depends_on,
               RecordScreenLayout layout, std::shared_ptr<Database> database);

  void Describe(ScreenView& view) override;
  std::vector<std::string> Fields() const override;
  // Clicks row `row` of the list (ListItemClick); refused when the record being left must be put
  // right first.
  void SelectRow(int row) override;
  // Focuses the field, writes the text into its box and leaves the field (LeaveField). A lookup
  // field takes the name of one of its choices.
  void EditField(const std::string& field, const std::string& text) override;
  // OnSave over the records; the screen says "record saved", or refuses when the record must be
  // put right first.
  void SaveScreen() override;
  // AddItem: a new record, selected, its fields shown; refused when the record being left must be
  // put right first or records cannot be added now.
  void AddRecord() override;
  void RemoveRecord() override;
  // Reads the records afresh from the database, dropping what was not saved; the record that was
  // current stays current when it is still there.
  void UndoEdits() override;

  // Every field box read-only while ReadOnly() holds or no record is there, editable otherwise.
  kw::Variant ToggleReadWrite() override;
  // Moves the focus to the field box that carries `tag` (the library points at a broken rule).
  void SetFocusTo(const std::string& tag) override;
  // Every record's broken hard rules and soft questions (soft rules the person settled earlier
  // settle again silently, as the library does), then the group's rules; the records are read
  // for the current context when they were read for another.
  void CollectProblems(std::vector<Problem>& problems) override;
  // Every record as a row of the report, its columns those of the table after its key and its
  // parent, each cell as a person reads it (record_screen_report.cpp).
  void AddToReport(MonthReport& report) override;
  // Clicks the record's row (ItemClick) and focuses the field's box.
  void OpenRecord(const std::string& record_key, const std::string& tag) override;
  std::string FieldTag(const std::string& caption) const override;
  // Moves the selection to `item` through ItemClick and shows the record it lands on.
  kw::Variant ListItemClick(const kw::ObjectPtr& item) override;
  // Reads the records afresh when the screen is shown after leaving it saved them, or when the
  // library marked them out of date (another home or month, a reopened TRF); otherwise the list
  // stays as it was, so that coming back costs the same for any number of records. The lookups'
  // names are read afresh every time (another screen may have renamed a family group).
  bool EveryOnActivate(kw::ActiveParams& params) override;
  int ListRows() const override;
  std::string ListCell(int row, int column) const override;
  std::string ListKey(int row) const override;
  // Gives the field the focus and the active-field colours ("" takes them away from every field).
  void FocusField(const std::string& field) override;
  // The library's send-off check; afterwards the boxes show the record the list moved to, and the
  // screen says whether it is ready.
  bool ValidateForSendoff(bool quiet = false) override;
  // The questions the person accepted on the way go on the change record.
  void SendOffPassed() override;

  const std::shared_ptr<kw::widgets::ListView>& List() const { return list_->View(); }

 protected:
  // The records to show, freshly loaded for the current home or month.
  virtual std::shared_ptr<TableBusinessObject> LoadRecords() = 0;
  // True while the records may only be looked at: while the database is open read-only, and by
  // default while a month-dependent screen's TRF is not active.
  virtual bool ReadOnly();

  void OnLoad() override;
  // Loads the records and builds the list; the boxes show the first record.
  void Reload() override;
  kw::LIPtr MainObject() override { return records_; }
  std::vector<SendoffTarget> SendoffTargets() override { return {{records_, list_->View()}}; }
  // Selects the current record's row and shows the record.
  void Recover() override;
  // Notes whether leaving is about to save changes: then the records are read afresh next time.
  void BeforeLeave() override;

  const std::shared_ptr<TableBusinessObject>& Records() const { return records_; }
  const std::shared_ptr<Database>& Data() const { return database_; }
  // The parent value that loads the records of the home or month record `id`: none for "".
  static kw::Variant ParentId(const std::string& id);
  // The current record's value of `property` as the screen shows it ("" for nothing).
  std::string ShownProperty(const std::string& property) const;
  // Fills the boxes from the current record and keeps the selected row in step with it.
  void ShowCurrentRecord();

 private:
  // A field of the screen: its column, its field number in the class, and for a lookup its choices.
  struct Field {
    const ColumnDescription* column = nullptr;
    int16_t number = 0;
    LookupChoices choices;
  };
  // The key of the current record as the list keys it; "" when there is none.
  std::string CurrentKey() const;
  // The current record's value of `field` as its box shows it (a lookup's by name).
  std::string Shown(const Field& field) const;
  // The choices behind list column `column`, for a lookup column; nullptr otherwise.
  const LookupChoices* ColumnChoices(size_t column) const;
  // The current record as a person names it: its first list column's text (a lookup's by name).
  std::string RecordName() const;
  // A problem of this screen from a rule on `field` (a field number; -1 for none).
  Problem ProblemOf(int32_t field, int32_t rule, const std::string& message, bool hard) const;
  // A soft question as the problem list shows it, accepted or not, with who accepted it and when.
  Problem QuestionOf(SoftRule& rule, bool accepted) const;
  // The problems of the rules over the group of records, from the class's group validator.
  void CollectGroupProblems(std::vector<Problem>& problems);
  // Reads every lookup's choices afresh; true when one of them offers other names than before.
  bool LoadChoices();
  size_t FieldIndex(const std::string& name) const;
  // The home and month the screen works in now.
  std::string Context() const;
  // Writes the box's text into its field and runs the field's checks; true when they pass.
  bool LeaveField(size_t index);
  // Gives the box the focus and the active-field colours; the box that had them gets its own back.
  void Focus(size_t index);
  // Takes the focus and the active-field colours from the box that has them.
  void Blur();
  // How each field's value stands with the current record's rules, into the described fields.
  void DescribeStandings(std::vector<ScreenField>& fields) const;
  // Selects the row of the object's current record, where a check may have left it.
  void SelectCurrentRecord();
  // Rewrites the selected row from the current record after one of its fields changed.
  void RefreshSelectedRow();
  // Tells the front end where the list's selection is now.
  void AnnounceSelection();
  // Tells the front end of the row that adding or removing made, the list having had `before`
  // rows: one more at `row` (the new selection), or one fewer at `row` (the selection before); any
  // other difference has the whole list read again.
  void AnnounceRowCount(int32_t before, int row);

  RecordScreenLayout layout_;
  std::vector<Field> fields_;
  // The table's columns the list shows, in their order.
  std::vector<const ColumnDescription*> listed_;
  // Per list column: its lookup column and choices, where it shows a lookup.
  std::vector<std::optional<Field>> column_lookups_;
  std::shared_ptr<Database> database_;
  std::shared_ptr<TableBusinessObject> records_;
  std::unique_ptr<BoundList> list_;
  std::vector<std::shared_ptr<kw::widgets::TextBox>> boxes_;
  std::vector<std::string> tags_;
  std::shared_ptr<kw::widgets::ControlArray> box_array_;
  // The home and month the records were loaded for.
  std::string loaded_for_;
  // Changes were saved since the records were loaded, which may have given new records their keys.
  bool saved_since_load_ = false;
  // The box with the focus and the text colour it wears; none before the first field is entered.
  std::optional<size_t> active_;
  int32_t active_fore_color_ = 0;
};

}  // namespace trf
