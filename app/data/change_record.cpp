// Reading the change record and adding accepted soft questions to it.
#include "app/data/change_record.h"

#include "app/data/schema.h"
#include "app/data/trf_tables.h"
#include "app/data/trust_schema.h"

namespace trf {

std::vector<Change> ChangesOf(Database& database, std::string_view table, const kw::Variant& key) {
  auto query = database.Prepare(
      "SELECT S_Who, S_When, S_Field, S_OldValue, S_NewValue, S_RuleNumber, S_Message FROM tbS_ChangeRecord "
      "WHERE S_Table = ? AND S_RecordKey = ? ORDER BY S_ChangeID");
  query->Bind(1, kw::Variant::Text(std::string(table))).Bind(2, kw::Variant::Text(key.ToText()));
  std::vector<Change> changes;
  while (query->Step()) {
    Change& change = changes.emplace_back();
    change.who = query->Column(0).ToText();
    change.when = query->Column(1).ToText();
    change.field = query->Column(2).IsNull() ? "" : query->Column(2).ToText();
    change.old_value = query->Column(3);
    change.new_value = query->Column(4);
    change.rule = query->Column(5).IsNull() ? 0 : query->Column(5).ToLong();
    change.message = query->Column(6).IsNull() ? "" : query->Column(6).ToText();
  }
  return changes;
}

AcceptanceRecorder::AcceptanceRecorder(Database& database, const TableDescription& table) : table_(table) {
  const Dialect dialect = DialectOf(database);
  // The home comes from the link as the triggers take it: the month's home for a month's rows.
  const std::string home = table.home_data == HomeData::kByMonth
                               ? "(SELECT H_HomesID FROM " + std::string(tables::kHomeMonths.name) + " WHERE " +
                                     std::string(tables::kHomeMonths.Key().name) + " = ?)"
                               : "?";
  insert_ = database.Prepare(
      "INSERT INTO tbS_ChangeRecord (S_Who, S_When, S_Table, S_RecordKey, S_HomesID, S_Field, S_NewValue, "
      "S_RuleNumber, S_Message) VALUES (" +
      WhoSql(dialect) + ", " + NowSql(dialect) + ", ?, ?, " + home + ", ?, ?, ?, ?)");
}

void AcceptanceRecorder::Queue(const kw::Variant& key, const kw::Variant& link, const std::string& field,
                               const kw::Variant& value, int32_t rule, const std::string& message) {
  insert_->Reset();
  insert_->Bind(1, kw::Variant::Text(std::string(table_.name))).Bind(2, kw::Variant::Text(key.ToText()));
  insert_->Bind(3, table_.home_data == HomeData::kNone ? kw::Variant::Null() : link);
  insert_->Bind(4, kw::Variant::Text(field)).Bind(5, value.IsNull() ? value : kw::Variant::Text(value.ToText()));
  insert_->Bind(6, kw::Variant::Long(rule)).Bind(7, kw::Variant::Text(message));
  insert_->Queue();
  insert_->Reset();
}

}  // namespace trf
