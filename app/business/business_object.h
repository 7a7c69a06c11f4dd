// TableBusinessObject: the reference business object over one table of the TRF database. It
// holds the records it loaded, one of them current, addressed by position (1 to Count, within the
// filter) or by record key; keeps edits until they are saved (at once, or in one batch when the
// class's SaveMode is 4); and runs the class's hard and soft rules per field and per record.
// Fields are addressed by position, field number + 1: position 1 is the record key, 2 the parent.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "app/business/key_slots.h"
#include "app/business/record_order.h"
#include "app/business/record_values.h"
#include "app/business/rule_numbers.h"
#include "app/business/rules.h"
#include "app/data/database.h"
#include "app/data/table_description.h"
#include "ui_shared/contracts/business_objects.h"
#include "ui_shared/contracts/sibling_codes.h"

namespace trf {

// One field of a class as its business object works with it: its column, whose description alone
// says its name (the property reached by member name), kind, caption, whether it must be filled,
// its bounds and length; and what follows from the other tables, resolved once: the kind of value
// it holds (a lookup holds what the key it refers to holds), the table and key column its value
// must exist in (when it refers to another record), and whether a record-group rule reads it.
struct FieldSpec {
  const ColumnDescription* column = nullptr;
  // kWholeNumber, kMoney, kDate or kText: what the rules check the value against; values that do
  // not fit break a hard rule and are never stored.
  ColumnKind holds = ColumnKind::kText;
  std::string reference_table;
  std::string reference_column;
  bool read_by_group = false;

  std::string Property() const { return std::string(column->name); }
  std::string Caption() const { return std::string(column->caption); }
};

// Records of another class that refer to this one: their table and column, and how a sentence
// names them ("residents"). A record they still refer to cannot be removed.
struct Referrer {
  std::string table;
  std::string column;
  std::string plural;
};

// A class of business objects: number, name, the table its records live in (its columns are the
// class's fields, key first, parent second), save mode, and the columns its record-group rules
// read (a change to one of them makes the group dirty).
struct ClassSpec {
  int16_t class_enum = 0;
  std::string class_name;
  const TableDescription* table = nullptr;
  int32_t save_mode = 0;
  std::vector<std::string_view> read_by_group = {};
};

// What every object of one class shares, made once per class (see LayoutOf): its fields from the
// columns of its table in their order, the columns of other tables that refer to its records, its
// fields' positions by name (any case), and the texts of its selects.
struct ClassLayout {
  std::vector<FieldSpec> fields;
  std::vector<Referrer> referrers;
  std::unordered_map<std::string, int32_t, kw::NoCaseHash, kw::NoCaseEqual> positions_by_name;
  std::string columns;           // the fields' columns in their order, with commas between
  std::string select_all;        // every row, in key order
  std::string select_of_parent;  // the rows of one parent (position 2), in key order
};

// The layout of the class `spec` describes, made at its first use and shared from then on.
std::shared_ptr<const ClassLayout> LayoutOf(const ClassSpec& spec);

// A record's key as a number: its first value, a whole number, as the table of keys and the classes'
// own maps by key hold it.
inline int64_t KeyNumber(const kw::Variant& key) { return static_cast<int64_t>(key.ToDouble()); }

// A business object over one table: the records of one class (see the top of this file).
class TableBusinessObject : public kw::I_LI {
 public:
  TableBusinessObject(std::shared_ptr<Database> database, ClassSpec spec);
  ~TableBusinessObject() override;
  std::string TypeName() const override { return spec_.class_name; }

  // Loads the records of the class, all of them or those of one parent (position 2), in key
  // order; new records then take that parent. Pending changes are dropped.
  void Load(const kw::Variant& parent = kw::Variant());

  // I_LI
  void AddNew() override;
  // Stores the current record's changes (in save mode 4 accepts them for SaveBatch); with false
  // it first runs the record's rules and refuses while they fail. An unchanged record needs no
  // save: true. A deleted record is removed. A value that cannot be stored, a record changed in
  // the database since it was read (rule_numbers::kRecordChanged) and a failing database raise;
  // nothing is written then and the object holds what it held before.
  bool Save(bool force) override;
  void SuspendValidation(bool suspend) override { suspended_ = suspend; }
  void CancelEdit() override;
  int16_t ClassEnum() override { return spec_.class_enum; }
  std::string ClassName() override { return spec_.class_name; }
  int32_t Count() override { return order_.Count(); }
  // Marks the current record for removal; raises rule_numbers::kStillReferred, and marks nothing,
  // while records of another class still refer to it.
  void Delete() override;
  // 0 (or empty) shows every record; any other value shows the records whose parent id equals it.
  kw::Variant Filter() override { return filter_; }
  void Filter(const kw::Variant& filter) override;
  kw::Variant FieldValueAt(const kw::Variant& index, int32_t position) override;
  kw::HardRulesPtr HardRules(const kw::Variant& index = kw::Variant()) override;
  // -3 while the record at the current position was removed and nothing was settled on yet.
  kw::Variant CurrentIndex() override;
  void CurrentIndex(const kw::Variant& index) override;
  bool IsNew() override;
  bool IsDirty(const kw::Variant& index = kw::Variant()) override;
  bool IsValid(const kw::Variant& index = kw::Variant()) override;
  // With the index omitted: whether any change since the group last passed touched what the
  // class's group rules read; with an index, whether that record's changes did.
  bool GroupDirty(const kw::Variant& index = kw::Variant()) override;
  void GroupDirty(bool dirty, const kw::Variant& index = kw::Variant()) override;
  bool Exists(const std::string& key) override;
  int32_t SaveMode() override { return spec_.save_mode; }
  void SendOffValidation(bool sending_off) override { send_off_ = sending_off; }
  void FieldValue(int32_t position, const kw::Variant& value) override;
  kw::SoftRulesPtr SoftRules(const kw::Variant& index = kw::Variant()) override;
  // Writes every accepted change in one transaction (none when there is nothing to write). A record changed in the
  // database since it was read refuses the whole batch (rule_numbers::kRecordChanged); nothing is written then.
  void SaveBatch() override;
  void Validate() override;

  // Late binding: "Count", "Index" and every field by its property name (current record).
  kw::Variant Get(std::string_view member, const kw::Args& args = {}) override;
  void Let(std::string_view member, const kw::Variant& value, const kw::Args& args = {}) override;

  // Puts on the change record, in one transaction, the soft questions a person accepted about stored
  // records that no save put there yet (questions answered during a send-off, for instance).
  void RecordAcceptedQuestions();

  // The rules of the record at `index` (as HardRules and SoftRules), typed: with who accepted a
  // question and when.
  const RuleState& RulesAt(const kw::Variant& index) { return *RulesOf(RecordAt(index)); }

  // The number of changes (new, edited, deleted records) SaveBatch would write.
  int32_t PendingChanges() const;
  Database& Connection() { return *database_; }
  // The table the class's records live in.
  const TableDescription& Table() const { return *spec_.table; }

 protected:
  // Class rules of one field, run after the field's value passed the kind, required and key
  // checks. `values` are the record's values by position - 1.
  virtual void CheckField(int32_t field, std::span<const kw::Variant> values, RuleFindings& findings);
  // Class rules over the whole record (level 2), run by Validate.
  virtual void CheckRecord(std::span<const kw::Variant> values, RuleFindings& findings);
  // Writes a field of the record at `position` without running rules (assessments).
  void StoreValue(int32_t record_position, int32_t field_position, const kw::Variant& value);
  // The values of the record at `position` (1 to Count).
  std::span<const kw::Variant> ValuesAt(int32_t position) const;
  // Today's date (a whole date serial) as the running rules read it, once per run.
  double Today() const { return today_; }

 private:
  struct Record;
  class Store;

  Record& CurrentRecord();
  Record& RecordAt(const kw::Variant& index);
  size_t SlotOf(const kw::Variant& index) const;
  // The slot and position of the shown record whose key `text` spells; position 0 when no shown
  // record has that key.
  std::pair<size_t, int32_t> FindShownKey(const std::string& text) const;
  // The same, raising 9 when no shown record has that key.
  std::pair<size_t, int32_t> ShownRecordOfKey(const std::string& text) const;
  // Raises 9: no shown record has the key `text` spells.
  [[noreturn]] void FailNoKey(const std::string& text) const;
  // Makes the record with the key `key` spells current (the list binding's lookup); 9 as above.
  void MakeKeyCurrent(const std::string& key);
  // Makes the record at the position `index` gives current (-1 or empty: the current one; -3:
  // settles on the position after a removal).
  void MakePositionCurrent(const kw::Variant& index);
  // The rules of `record`, made at their first use with the questions kept accepted about it.
  const RuleStatePtr& RulesOf(Record& record);
  // The query of the questions accepted about the records of `parent`, bound; none where the
  // table's records belong to no home or month.
  std::unique_ptr<Statement> KeptAcceptancesQuery(const kw::Variant& parent);
  // Keeps the questions `query` answers (none: nothing kept) for the rules of the loaded records.
  void KeepAcceptances(Statement* query);
  // Reads the questions accepted about the records of the loaded parent and keeps them.
  void ReadKeptAcceptances();
  // After a commit that put accepted questions on record: reads them back and gives them who and when.
  void StampAcceptances();
  void RunFieldRules(Record& record, int32_t field);
  void RunAllRules(Record& record);
  // Reads the clock for the rules of one run.
  void ReadToday();
  void CheckFieldKind(int32_t field, std::span<const kw::Variant> values, RuleFindings& findings);
  // A date more than a month ahead is asked about, unless a hard rule refused the field already.
  void AskAboutFutureDate(int32_t field, std::span<const kw::Variant> values, RuleFindings& findings);
  void MarkChanged(Record& record, const FieldSpec& field);
  void RebuildView();
  void Drop(size_t slot);
  // Whether the record's parent is the one the filter (which differs from zero) shows.
  bool PassesFilter(const Record& record) const;
  int64_t NextKey();
  [[noreturn]] void Fail(int32_t number, const std::string& description) const;

  std::shared_ptr<Database> database_;
  ClassSpec spec_;
  std::shared_ptr<const ClassLayout> layout_;
  const std::vector<FieldSpec>& fields_ = layout_->fields;
  const std::vector<Referrer>& referrers_ = layout_->referrers;
  const std::unordered_map<std::string, int32_t, kw::NoCaseHash, kw::NoCaseEqual>& positions_by_name_ =
      layout_->positions_by_name;
  // The values of the records the last load read; declared before the records, which point into
  // them, so that the records go first.
  RecordValueBlocks loaded_values_;
  std::vector<Record> records_;
  KeySlots slots_by_key_;
  RecordOrder order_;  // the visible records' slots by position
  // A stored record deleted and dropped, waiting for SaveBatch: its key and the version it was read at.
  struct DeletedRow {
    kw::Variant key;
    int64_t version = 0;
  };
  std::vector<DeletedRow> deleted_;
  int32_t current_ = 0;
  double today_ = 0;
  bool settle_pending_ = false;
  bool suspended_ = false;
  bool send_off_ = false;
  bool group_dirty_ = false;
  int64_t max_key_ = 0;
  kw::Variant filter_ = kw::Variant::Long(0);
  kw::Variant loaded_parent_;
  // The questions accepted about the loaded records, by record key, as the change record keeps them.
  std::unordered_map<int64_t, std::vector<KeptAcceptance>> kept_by_key_;
  std::unique_ptr<Store> store_;
};

}  // namespace trf
