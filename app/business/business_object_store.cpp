// TableBusinessObject: loading from the table and storing to it, each save one transaction.
#include "app/business/business_object_parts.h"

#include <algorithm>
#include <array>

#include "app/data/held_records.h"
#include "app/data/transaction.h"
#include "app/data/trf_database.h"
#include "ui_shared/platform/error.h"

namespace trf {

namespace {

// How a refused save or load of the class's records begins (see NamingHeldRecords).
constexpr std::string_view kNothingSaved = "Nothing was saved";
constexpr std::string_view kNothingRead = "Nothing could be read";

bool FitsKind(const FieldSpec& field, const kw::Variant& value) {
  if (value.IsNull()) return true;
  switch (field.holds) {
    case ColumnKind::kText: return value.IsText();
    case ColumnKind::kDate: return value.IsDate();
    default: return value.IsNumber();
  }
}

}  // namespace

TableBusinessObject::Store::Store(Database& database, const ClassSpec& spec, const ClassLayout& layout)
    : database_(database), spec_(spec), table_(spec.table->name), layout_(layout), fields_(layout.fields),
      referrers_(layout.referrers), reference_checks_(fields_.size()), referrer_counts_(referrers_.size()) {}

std::string TableBusinessObject::Store::InsertSql() const {
  std::string placeholders;
  for (size_t i = 0; i < fields_.size(); ++i) placeholders += i ? ", ?" : "?";
  return "INSERT INTO " + table_ + " (" + layout_.columns + ") VALUES (" + placeholders + ")";
}

std::string TableBusinessObject::Store::UpdateSql() const {
  std::string assignments;
  for (size_t i = 1; i < fields_.size(); ++i) assignments += (i > 1 ? ", " : "") + fields_[i].Property() + " = ?";
  const std::string version = kVersionColumn;
  return "UPDATE " + table_ + " SET " + assignments + ", " + version + " = " + version + " + 1" + SameRow();
}

std::string TableBusinessObject::Store::RemoveSql() const { return "DELETE FROM " + table_ + SameRow(); }

std::string TableBusinessObject::Store::SameRow() const {
  return " WHERE " + fields_[0].Property() + " = ? AND " + kVersionColumn + " = ?";
}

std::unique_ptr<Statement> TableBusinessObject::Store::Select(const kw::Variant& parent) {
  auto query = database_.Prepare(parent.IsEmpty() ? layout_.select_all : layout_.select_of_parent);
  if (!parent.IsEmpty()) query->Bind(1, parent);
  return query;
}

int64_t TableBusinessObject::Store::NextKey() {
  Statement& next_key = next_key_.In(database_, [&] { return database_.NextKeySql(table_, fields_[0].Property()); });
  next_key.Reset();
  next_key.Step();
  const auto key = static_cast<int64_t>(next_key.Column(0).ToDouble());
  next_key.Reset();  // a statement left on a row would hold its read snapshot open
  return key;
}

bool TableBusinessObject::Store::ReferenceExists(size_t field, const kw::Variant& value) {
  Statement& check = reference_checks_[field].In(database_, [&] {
    return "SELECT 1 FROM " + fields_[field].reference_table + " WHERE " + fields_[field].reference_column + " = ?";
  });
  // Every use ends in a Rewind, a failing one too, so the statement is always ready for the next;
  // its one parameter is bound anew each time.
  bool exists = false;
  try {
    exists = check.Bind(1, value).Step();
  } catch (...) {
    check.Rewind();
    throw;
  }
  check.Rewind();
  return exists;
}

void TableBusinessObject::Store::CheckStorable(const Record& record, const std::string& source) {
  for (size_t i = 0; i < fields_.size(); ++i) {
    const FieldSpec& field = fields_[i];
    if (FitsKind(field, record.values[i])) continue;
    kw::Raise(kw::err::kTypeMismatch, source,
              "Cannot store record " + record.values[0].ToText() + ": " + field.Caption() + " holds " +
                  ShownValue(record.values[i]) + ", which does not fit the field. Nothing was written.");
  }
}

void TableBusinessObject::Store::RaiseChanged(const kw::Variant& key) {
  kw::Raise(rule_numbers::kRecordChanged, "KW_I." + spec_.class_name,
            fields_[0].Caption() + " " + key.ToText() +
                " was changed or removed in the database after it was read here (by another desk or program). "
                "Nothing was saved: read the stored record afresh before changing it again.");
}

kw::Variant TableBusinessObject::Store::Write(const Record& record) {
  Statement& statement = record.is_new ? insert_.In(database_, [&] { return InsertSql(); })
                                       : update_.In(database_, [&] { return UpdateSql(); });
  statement.Reset();
  const size_t count = fields_.size();
  if (record.is_new) {
    for (size_t i = 0; i < count; ++i) statement.Bind(static_cast<int>(i + 1), record.values[i]);
  } else {
    for (size_t i = 1; i < count; ++i) statement.Bind(static_cast<int>(i), record.values[i]);
    statement.Bind(static_cast<int>(count), record.values[0]);
    statement.Bind(static_cast<int>(count + 1), kw::Variant::Double(static_cast<double>(record.version)));
  }
  statement.Queue();
  statement.Reset();
  return record.is_new ? kw::Variant() : record.values[0];
}

kw::Variant TableBusinessObject::Store::Remove(const Record& record) {
  Statement& remove = remove_.In(database_, [&] { return RemoveSql(); });
  remove.Reset();
  remove.Bind(1, record.values[0]).Bind(2, kw::Variant::Double(static_cast<double>(record.version)));
  remove.Queue();
  remove.Reset();
  return record.values[0];
}

void TableBusinessObject::Store::Confirm(const std::vector<kw::Variant>& awaited) {
  const std::vector<int64_t> changes = database_.Collect();
  for (size_t i = 0; i < awaited.size(); ++i) {
    if (!awaited[i].IsEmpty() && changes[i] == 0) RaiseChanged(awaited[i]);
  }
}

void TableBusinessObject::Store::CheckUnreferenced(const Record& record) {
  std::string referring;
  for (size_t i = 0; i < referrers_.size(); ++i) {
    Statement& count = referrer_counts_[i].In(database_, [&] {
      return "SELECT COUNT(*) FROM " + referrers_[i].table + " WHERE " + referrers_[i].column + " = ?";
    });
    count.Reset();
    count.Bind(1, record.values[0]);
    count.Step();
    const int32_t found = count.Column(0).ToLong();
    count.Reset();
    if (found > 0) referring += (referring.empty() ? "" : " and ") + std::to_string(found) + " " + referrers_[i].plural;
  }
  if (referring.empty()) return;
  const std::string name =
      record.values.size() > 2 && record.values[2].IsText() ? " " + ShownValue(record.values[2]) : "";
  kw::Raise(rule_numbers::kStillReferred, "KW_I." + spec_.class_name,
            fields_[0].Caption() + " " + record.values[0].ToText() + name + " cannot be removed: " + referring +
                " still refer to it. Move or remove those first. Nothing was removed.");
}

std::vector<std::shared_ptr<SoftRule>> TableBusinessObject::Store::QueueAcceptances(const Record& record,
                                                                                    std::vector<kw::Variant>& awaited) {
  std::vector<std::shared_ptr<SoftRule>> queued;
  if (!record.rules) return queued;
  const TableDescription& table = *spec_.table;
  const size_t link = table.home_data == HomeData::kHomes ? 0 : 1;  // the key, or the parent: home or month
  for (const std::shared_ptr<SoftRule>& rule : record.rules->Soft()) {
    if (!rule->Accepted() || rule->OnRecord()) continue;
    if (!acceptances_) acceptances_ = std::make_unique<AcceptanceRecorder>(database_, table);
    const int32_t field = rule->FieldEnum();
    const std::string name =
        field >= 0 && static_cast<size_t>(field) < fields_.size() ? fields_[static_cast<size_t>(field)].Property() : "";
    acceptances_->Queue(record.values[0], record.values.size() > link ? record.values[link] : kw::Variant(), name,
                        rule->Value(), rule->RuleNumber(), rule->Feedback());
    awaited.emplace_back();
    queued.push_back(rule);
  }
  return queued;
}

void TableBusinessObject::Load(const kw::Variant& parent) {
  RecordValueBlocks values;
  const size_t count = fields_.size();
  // The fields, then the row's version, read with them and taken off again.
  std::vector<ReadAs> reads(count + 1, ReadAs::kStored);
  for (size_t i = 0; i < count; ++i) {
    if (fields_[i].holds == ColumnKind::kDate) reads[i] = ReadAs::kDate;
  }
  // Each row's values where they landed, its version and its key, gathered first: the records are
  // then made once, in a table of their final size, and never moved as it grows.
  struct ReadRow {
    kw::Variant* values;
    int64_t version;
    int64_t key;
  };
  std::vector<ReadRow> rows;
  std::unique_ptr<Statement> accepted;
  NamingHeldRecords(*spec_.table, kNothingRead, [&] {
    auto query = store_->Select(parent);
    // The questions accepted about the rows come with them: one request to a server, not two.
    accepted = KeptAcceptancesQuery(parent);
    if (accepted) database_->RunTogether(std::array<Statement*, 2>{query.get(), accepted.get()});
    while (query->Step()) {
      std::vector<kw::Variant>& block = values.RoomFor(count + 1);
      kw::Variant* first = block.data() + block.size();
      query->AppendRow(reads, block);  // each value straight into its place
      rows.push_back({first, static_cast<int64_t>(block.back().ToDouble()), KeyNumber(*first)});
      block.pop_back();
    }
  });
  std::vector<Record> loaded(rows.size());
  for (size_t slot = 0; slot < rows.size(); ++slot) {
    loaded[slot].values = RecordValues(rows[slot].values, count);
    loaded[slot].version = rows[slot].version;
  }
  records_ = std::move(loaded);
  loaded_values_ = std::move(values);  // after the records that pointed into the earlier blocks are gone
  loaded_parent_ = parent;
  KeepAcceptances(accepted.get());
  deleted_.clear();
  slots_by_key_.Reset(rows.size());
  for (size_t slot = 0; slot < rows.size(); ++slot) {
    slots_by_key_.Insert(rows[slot].key, slot);
    max_key_ = std::max(max_key_, rows[slot].key);
  }
  RebuildView();
  current_ = Count() > 0 ? 1 : 0;
  settle_pending_ = false;
  group_dirty_ = false;
}

bool TableBusinessObject::Save(bool force) {
  if (Count() == 0) return true;
  Record& record = CurrentRecord();
  if (!record.Dirty()) return true;
  const size_t slot = order_.SlotAt(current_);
  if (record.deleted) {
    if (!record.is_new) {
      if (spec_.save_mode == kw::kSaveModeBatch) {
        deleted_.push_back(DeletedRow{record.values[0], record.version});
      } else {
        try {
          NamingHeldRecords(*spec_.table, kNothingSaved, [&] {
            Transaction transaction(*database_);
            store_->CheckUnreferenced(record);
            store_->Confirm({store_->Remove(record)});
            transaction.Commit();
          });
        } catch (...) {
          record.deleted = false;  // the record is kept as it was before the removal was asked
          throw;
        }
      }
    }
    Drop(slot);
    return true;
  }
  if (!force) {
    RunAllRules(record);
    if (!record.rules->Valid()) return false;
  }
  if (spec_.save_mode == kw::kSaveModeBatch) {
    record.in_batch = true;
    record.batch_values.reset();
    return true;
  }
  store_->CheckStorable(record, "KW_I." + spec_.class_name);
  const auto accepted = NamingHeldRecords(*spec_.table, kNothingSaved, [&] {
    Transaction transaction(*database_);
    std::vector<kw::Variant> awaited = {store_->Write(record)};
    auto queued = store_->QueueAcceptances(record, awaited);
    store_->Confirm(awaited);
    transaction.Commit();
    return queued;
  });
  for (const auto& rule : accepted) rule->PutOnRecord();
  if (!accepted.empty()) StampAcceptances();
  if (!record.is_new) ++record.version;
  record.is_new = false;
  record.stored.reset();
  return true;
}

void TableBusinessObject::SaveBatch() {
  if (PendingChanges() == 0) return;  // nothing to write: no transaction, so a read-only database lets go too
  const std::string source = "KW_I." + spec_.class_name;
  for (const Record& record : records_) {
    if (record.Pending() && !record.deleted) store_->CheckStorable(record, source);
  }
  std::vector<std::shared_ptr<SoftRule>> accepted;
  NamingHeldRecords(*spec_.table, kNothingSaved, [&] {
    Transaction transaction(*database_);
    // The writes go out without waiting for each answer; the answers are checked at the end, in order.
    std::vector<kw::Variant> awaited;
    for (const DeletedRow& row : deleted_) {
      Record gone;
      gone.values.Assign({row.key});
      gone.version = row.version;
      awaited.push_back(store_->Remove(gone));
    }
    for (const Record& record : records_) {
      if (!record.Pending()) continue;
      if (record.deleted) {
        if (!record.is_new) awaited.push_back(store_->Remove(record));
      } else {
        awaited.push_back(store_->Write(record));
        for (auto& rule : store_->QueueAcceptances(record, awaited)) accepted.push_back(std::move(rule));
      }
    }
    store_->Confirm(awaited);
    transaction.Commit();
  });
  for (const auto& rule : accepted) rule->PutOnRecord();
  if (!accepted.empty()) StampAcceptances();
  // Only a committed batch changes what the object holds: a failed one leaves every change held.
  deleted_.clear();
  for (size_t slot = records_.size(); slot-- > 0;) {
    Record& record = records_[slot];
    if (record.deleted) {
      Drop(slot);
    } else {
      if (record.Pending() && !record.is_new) ++record.version;
      record.is_new = false;
      record.stored.reset();
      record.in_batch = false;
      record.batch_values.reset();
    }
  }
}

void TableBusinessObject::RecordAcceptedQuestions() {
  const auto unrecorded = [](const Record& record) {
    return !record.is_new && record.rules && std::ranges::any_of(record.rules->Soft(), [](const auto& rule) {
      return rule->Accepted() && !rule->OnRecord();
    });
  };
  // No transaction without anything to record; on a database open read-only the acceptances stay
  // with the session.
  if (database_->ReadOnly() || std::ranges::none_of(records_, unrecorded)) return;
  std::vector<std::shared_ptr<SoftRule>> accepted;
  NamingHeldRecords(*spec_.table, kNothingSaved, [&] {
    std::vector<kw::Variant> awaited;
    Transaction transaction(*database_);
    for (const Record& record : records_) {
      if (!unrecorded(record)) continue;
      for (auto& rule : store_->QueueAcceptances(record, awaited)) accepted.push_back(std::move(rule));
    }
    store_->Confirm(awaited);
    transaction.Commit();
  });
  for (const auto& rule : accepted) rule->PutOnRecord();
  StampAcceptances();
}

int32_t TableBusinessObject::PendingChanges() const {
  auto count = static_cast<int32_t>(deleted_.size());
  for (const Record& record : records_) count += record.Pending() ? 1 : 0;
  return count;
}

}  // namespace trf
