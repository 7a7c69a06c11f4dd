// TableBusinessObject: loading from the table and storing to it, each save one transaction.
#include "app/business/business_object_parts.h"
#include "app/data/transaction.h"
#include "ui_shared/platform/error.h"

namespace trf {

namespace {

std::string ColumnList(const ClassSpec& spec, size_t from) {
  std::string list;
  for (size_t i = from; i < spec.fields.size(); ++i) list += (list.empty() ? "" : ", ") + spec.fields[i].column;
  return list;
}

bool FitsKind(const FieldSpec& field, const kw::Variant& value) {
  if (value.IsNull()) return true;
  switch (field.kind) {
    case FieldKind::Text:
      return value.IsText();
    case FieldKind::Date:
      return value.IsDate();
    default:
      return value.IsNumber();
  }
}

}  // namespace

TableBusinessObject::Store::Store(Database& database, const ClassSpec& spec) : database_(database), spec_(spec) {
  std::string placeholders, assignments;
  for (size_t i = 0; i < spec.fields.size(); ++i) {
    placeholders += i ? ", ?" : "?";
    if (i) assignments += (i > 1 ? ", " : "") + spec.fields[i].column + " = ?";
  }
  const std::string& key = spec.fields[0].column;
  insert_ = database.Prepare("INSERT INTO " + spec.table + " (" + ColumnList(spec, 0) + ") VALUES (" + placeholders + ")");
  update_ = database.Prepare("UPDATE " + spec.table + " SET " + assignments + " WHERE " + key + " = ?");
  remove_ = database.Prepare("DELETE FROM " + spec.table + " WHERE " + key + " = ?");
  max_key_ = database.Prepare("SELECT COALESCE(MAX(" + key + "), 0) FROM " + spec.table);
  reference_checks_.resize(spec.fields.size());
}

std::unique_ptr<Statement> TableBusinessObject::Store::Select(const kw::Variant& parent) {
  std::string sql = "SELECT " + ColumnList(spec_, 0) + " FROM " + spec_.table;
  if (!parent.IsEmpty()) sql += " WHERE " + spec_.fields[1].column + " = ?";
  auto query = database_.Prepare(sql + " ORDER BY " + spec_.fields[0].column);
  if (!parent.IsEmpty()) query->Bind(1, parent);
  return query;
}

int64_t TableBusinessObject::Store::MaxKey() {
  max_key_->Reset();
  max_key_->Step();
  const auto key = static_cast<int64_t>(max_key_->Column(0).ToDouble());
  max_key_->Reset();  // a statement left on a row would hold its read snapshot open
  return key;
}

bool TableBusinessObject::Store::ReferenceExists(size_t field, const kw::Variant& value) {
  auto& check = reference_checks_[field];
  const FieldSpec& spec = spec_.fields[field];
  if (!check) {
    check = database_.Prepare("SELECT 1 FROM " + spec.reference_table + " WHERE " + spec.reference_column + " = ?");
  }
  check->Reset();
  check->Bind(1, value);
  const bool exists = check->Step();
  check->Reset();
  return exists;
}

void TableBusinessObject::Store::CheckStorable(const Record& record, const std::string& source) {
  for (size_t i = 0; i < spec_.fields.size(); ++i) {
    const FieldSpec& field = spec_.fields[i];
    if (FitsKind(field, record.values[i])) continue;
    kw::Raise(kw::err::kTypeMismatch, source,
              "Cannot store record " + record.values[0].ToText() + ": " + field.caption + " holds " +
                  ShownValue(record.values[i]) +
                  ", which does not fit the field. Nothing was written.");
  }
}

void TableBusinessObject::Store::Write(const Record& record) {
  Statement& statement = record.is_new ? *insert_ : *update_;
  statement.Reset();
  const size_t count = spec_.fields.size();
  if (record.is_new) {
    for (size_t i = 0; i < count; ++i) statement.Bind(static_cast<int>(i + 1), record.values[i]);
  } else {
    for (size_t i = 1; i < count; ++i) statement.Bind(static_cast<int>(i), record.values[i]);
    statement.Bind(static_cast<int>(count), record.values[0]);
  }
  statement.Step();
  statement.Reset();
}

void TableBusinessObject::Store::Remove(int64_t key) {
  remove_->Reset();
  remove_->Bind(1, kw::Variant::Double(static_cast<double>(key)));
  remove_->Step();
  remove_->Reset();
}

void TableBusinessObject::Load(const kw::Variant& parent) {
  auto query = store_->Select(parent);
  std::vector<Record> loaded;
  const size_t count = spec_.fields.size();
  while (query->Step()) {
    Record& record = loaded.emplace_back();
    record.values.reserve(count);
    for (size_t i = 0; i < count; ++i) {
      kw::Variant value = query->Column(static_cast<int>(i));
      if (spec_.fields[i].kind == FieldKind::Date && !value.IsNull()) value = kw::Variant::Date(value.ToDouble());
      record.values.push_back(std::move(value));
    }
  }
  records_ = std::move(loaded);
  loaded_parent_ = parent;
  deleted_keys_.clear();
  slots_by_key_.clear();
  slots_by_key_.reserve(records_.size());
  for (size_t slot = 0; slot < records_.size(); ++slot) {
    const int64_t key = KeyOf(records_[slot]);
    slots_by_key_.emplace(key, slot);
    max_key_ = std::max(max_key_, key);
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
  const size_t slot = view_[static_cast<size_t>(current_ - 1)];
  if (record.deleted) {
    if (!record.is_new) {
      if (spec_.save_mode == kw::kSaveModeBatch) {
        deleted_keys_.push_back(KeyOf(record));
      } else {
        Transaction transaction(*database_);
        store_->Remove(KeyOf(record));
        transaction.Commit();
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
  Transaction transaction(*database_);
  store_->Write(record);
  transaction.Commit();
  record.is_new = false;
  record.stored.reset();
  return true;
}

void TableBusinessObject::SaveBatch() {
  const std::string source = "KW_I." + spec_.class_name;
  for (const Record& record : records_) {
    if (record.Pending() && !record.deleted) store_->CheckStorable(record, source);
  }
  {
    Transaction transaction(*database_);
    for (const int64_t key : deleted_keys_) store_->Remove(key);
    for (const Record& record : records_) {
      if (!record.Pending()) continue;
      if (record.deleted) {
        if (!record.is_new) store_->Remove(KeyOf(record));
      } else {
        store_->Write(record);
      }
    }
    transaction.Commit();
  }
  // Only a committed batch changes what the object holds: a failed one leaves every change held.
  deleted_keys_.clear();
  for (size_t slot = records_.size(); slot-- > 0;) {
    Record& record = records_[slot];
    if (record.deleted) {
      Drop(slot);
    } else {
      record.is_new = false;
      record.stored.reset();
      record.in_batch = false;
      record.batch_values.reset();
    }
  }
}

int32_t TableBusinessObject::PendingChanges() const {
  int32_t count = static_cast<int32_t>(deleted_keys_.size());
  for (const Record& record : records_) count += record.Pending() ? 1 : 0;
  return count;
}

}  // namespace trf
