// The inner parts of TableBusinessObject shared by its source files: a held record, and the store
// that reads and writes the class's table with statements prepared once.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/business/business_object.h"
#include "app/business/record_values.h"
#include "app/data/change_record.h"

namespace trf {

// A held record: its values by position - 1, the stored values while it is edited, its state and
// its rules as the last runs left them.
struct TableBusinessObject::Record {
  RecordValues values;
  // The row's version when it was read or last written; a write expects the row to carry it still.
  int64_t version = 1;
  std::unique_ptr<std::vector<kw::Variant>> stored;  // set from the first edit until saved
  bool is_new = false;
  bool deleted = false;
  bool group_dirty = false;
  // Save mode 4: Save accepted the changes for SaveBatch; they are no unsaved edits any more.
  bool in_batch = false;
  // The values the batch accepted, kept while the record is edited again, for CancelEdit.
  std::unique_ptr<std::vector<kw::Variant>> batch_values;
  RuleStatePtr rules;

  // Changes that a write (Save, or SaveBatch in save mode 4) still has to store.
  bool Pending() const { return is_new || deleted || stored != nullptr; }
  // Changes that no Save accepted yet.
  bool Dirty() const { return Pending() && !in_batch; }
  // The record is changed again after the batch accepted it.
  void Reopen() {
    if (!in_batch) return;
    batch_values = std::make_unique<std::vector<kw::Variant>>(values.Copy());
    in_batch = false;
  }
};

// The value as its field keeps it: whole numbers, amounts and dates in their kind (texts that
// read as one are converted), texts as text, empty as null. A value that does not fit stays as it
// was given, for the kind rule to report.
kw::Variant NormalisedValue(const FieldSpec& field, const kw::Variant& value);

// A value as feedback texts show it: texts in double quotes, numbers and dates as the runtime
// writes them, anything else by its kind.
std::string ShownValue(const kw::Variant& value);

// A statement prepared at its first use, from the text `text()` makes then: an object that only
// reads prepares none of its writes (on a server a round trip each, and another to let it go) and
// writes none of their texts.
class LazyStatement {
 public:
  template <typename Text>
  Statement& In(Database& database, const Text& text) {
    if (!prepared_) prepared_ = database.Prepare(text());
    return *prepared_;
  }

 private:
  std::unique_ptr<Statement> prepared_;
};

// Reads and writes the class's table.
class TableBusinessObject::Store {
 public:
  Store(Database& database, const ClassSpec& spec, const ClassLayout& layout);

  // The rows of the class (of one parent when `parent` is not empty), in key order.
  std::unique_ptr<Statement> Select(const kw::Variant& parent);
  // The key the engine offers a new record (one above the largest, or the server's counter).
  int64_t NextKey();
  bool ReferenceExists(size_t field, const kw::Variant& value);
  // Raises a clear error, before anything is written, when a value of `record` does not fit
  // its field.
  void CheckStorable(const Record& record, const std::string& source);
  // Queues the writing of one record (insert or update) or the removal of one stored record; the
  // caller holds the transaction and hands the answers, in order, to Confirm: the key of an update
  // or removal, whose row must still have the record's version; empty for an insert.
  kw::Variant Write(const Record& record);
  kw::Variant Remove(const Record& record);
  // Waits for the queued writes; raises rule_numbers::kRecordChanged for the first of `awaited`
  // whose row no longer had the record's version.
  void Confirm(const std::vector<kw::Variant>& awaited);
  // Raises rule_numbers::kStillReferred, naming what still refers to `record`, when anything does.
  void CheckUnreferenced(const Record& record);
  // Queues the soft questions of `record` a person accepted that are not on the change record yet,
  // in the caller's transaction, with an empty answer each in `awaited`; answers them, to be put on
  // record once the transaction is committed.
  std::vector<std::shared_ptr<SoftRule>> QueueAcceptances(const Record& record, std::vector<kw::Variant>& awaited);

 private:
  [[noreturn]] void RaiseChanged(const kw::Variant& key);
  // The texts of the writes, made at their first use.
  std::string InsertSql() const;
  std::string UpdateSql() const;
  std::string RemoveSql() const;
  // The condition of an update or removal: the row of the record's key, still at the version read.
  std::string SameRow() const;

  Database& database_;
  const ClassSpec& spec_;
  std::string table_;
  const ClassLayout& layout_;
  const std::vector<FieldSpec>& fields_;
  const std::vector<Referrer>& referrers_;
  LazyStatement insert_, update_, remove_, next_key_;
  std::vector<LazyStatement> reference_checks_;  // by field; a field that refers to nothing has none
  std::vector<LazyStatement> referrer_counts_;
  std::unique_ptr<AcceptanceRecorder> acceptances_;  // made at the first accepted question
};

}  // namespace trf
