// Reading the change record and adding accepted soft questions to it.
#include "app/data/change_record.h"

#include "app/data/schema.h"
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
  insert_ = database.Prepare(
      "INSERT INTO tbS_ChangeRecord (S_Who, S_When, S_Table, S_RecordKey, S_HomesID, S_HomeMonthlyStatsID, S_Field, "
      "S_NewValue, S_RuleNumber, S_Message) VALUES (" +
      WhoSql(DialectOf(database)) + ", " + NowSql(DialectOf(database)) + ", ?, ?, ?, ?, ?, ?, ?, ?)");
}

void AcceptanceRecorder::Queue(const kw::Variant& key, const kw::Variant& link, const std::string& field,
                               const kw::Variant& value, int32_t rule, const std::string& message) {
  insert_->Reset();
  insert_->Bind(1, kw::Variant::Text(std::string(table_.name))).Bind(2, kw::Variant::Text(key.ToText()));
  // The link goes where the triggers put it: a month's rows by their month, the others by their home.
  const bool by_month = table_.home_data == HomeData::kByMonth;
  const bool by_home = table_.home_data == HomeData::kHomes || table_.home_data == HomeData::kByHome;
  insert_->Bind(3, by_home ? link : kw::Variant::Null()).Bind(4, by_month ? link : kw::Variant::Null());
  insert_->Bind(5, kw::Variant::Text(field)).Bind(6, value.IsNull() ? value : kw::Variant::Text(value.ToText()));
  insert_->Bind(7, kw::Variant::Long(rule)).Bind(8, kw::Variant::Text(message));
  insert_->Queue();
  insert_->Reset();
}

}  // namespace trf
