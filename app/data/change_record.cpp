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

namespace {

// The accepted questions of one month (`owner` "a.S_HomeMonthlyStatsID = ?") or of one home's own
// records (the month nothing and the home given), that no later change of their field has made
// void (the engines' triggers name a field in their own case). The partial index of accepted
// questions, month first, finds them: a month needs no look-up of its home, which on a server would
// cost the month records' policy on every load.
std::string AcceptedSql(const std::string& owner, const std::string& more) {
  return "SELECT a.S_Table, a.S_RecordKey, a.S_Field, a.S_NewValue, a.S_RuleNumber, a.S_Who, a.S_When "
         "FROM tbS_ChangeRecord a WHERE " +
         owner + " AND a.S_RuleNumber IS NOT NULL AND a.S_Table = ?" + more +
         " AND NOT EXISTS (SELECT 1 FROM tbS_ChangeRecord c WHERE c.S_RecordKey = a.S_RecordKey AND c.S_Table = "
         "a.S_Table AND lower(c.S_Field) = lower(a.S_Field) AND c.S_RuleNumber IS NULL AND c.S_ChangeID > "
         "a.S_ChangeID) "
         "ORDER BY a.S_ChangeID";
}

// The owner of a home's own records: no month, and the home `home` (an SQL expression with one parameter).
std::string OfHome(const std::string& home) { return "a.S_HomeMonthlyStatsID IS NULL AND a.S_HomesID = " + home; }

kw::Variant KeyValue(int64_t key) { return kw::Variant::Double(static_cast<double>(key)); }

}  // namespace

std::vector<Acceptance> ReadAcceptances(Statement& query) {
  std::vector<Acceptance> found;
  while (query.Step()) {
    const kw::Variant value = query.Column(3);
    found.push_back({query.Column(0).ToText(), query.Column(1).ToText(),
                     query.Column(2).IsNull() ? "" : query.Column(2).ToText(),
                     value.IsNull() ? std::nullopt : std::optional<std::string>(value.ToText()),
                     query.Column(4).ToLong(), query.Column(5).ToText(), query.Column(6).ToText()});
  }
  return found;
}

std::unique_ptr<Statement> AcceptancesQuery(Database& database, const TableDescription& table, int64_t parent) {
  const kw::Variant name = kw::Variant::Text(std::string(table.name));
  if (table.home_data == HomeData::kByMonth) {
    auto query = database.Prepare(AcceptedSql("a.S_HomeMonthlyStatsID = ?", ""));
    query->Bind(1, KeyValue(parent)).Bind(2, name);
    return query;
  }
  if (table.home_data != HomeData::kByHome) return nullptr;
  auto query = database.Prepare(AcceptedSql(OfHome("?"), ""));
  query->Bind(1, KeyValue(parent)).Bind(2, name);
  return query;
}

std::vector<Acceptance> AcceptancesOf(Database& database, const TableDescription& table, int64_t parent) {
  const std::unique_ptr<Statement> query = AcceptancesQuery(database, table, parent);
  return query ? ReadAcceptances(*query) : std::vector<Acceptance>{};
}

std::vector<Acceptance> AcceptancesAbout(Database& database, const TableDescription& table, int64_t key) {
  const std::string home =
      table.home_data == HomeData::kHomes
          ? "?"
          : "(SELECT H_HomesID FROM " + std::string(table.name) + " WHERE " + std::string(table.Key().name) + " = ?)";
  auto query = database.Prepare(AcceptedSql(OfHome(home), " AND a.S_RecordKey = ?"));
  query->Bind(1, KeyValue(key)).Bind(2, kw::Variant::Text(std::string(table.name)));
  query->Bind(3, kw::Variant::Text(std::to_string(key)));
  return ReadAcceptances(*query);
}

AcceptanceRecorder::AcceptanceRecorder(Database& database, const TableDescription& table)
    : table_(table), on_server_(DialectOf(database) == Dialect::kPostgres) {
  // A server finds the record's home and month itself and stamps who and when: a desk names the
  // record, the field, the value and what the person read, nothing more.
  if (on_server_) {
    insert_ = database.Prepare(
        "INSERT INTO tbS_ChangeRecord (S_Table, S_RecordKey, S_Field, S_NewValue, S_RuleNumber, S_Message) "
        "VALUES (?, ?, ?, ?, ?, ?)");
    return;
  }
  // On a file a month's row names its month and that month's home; any other row its home.
  const std::string home = table.home_data == HomeData::kByMonth
                               ? "(SELECT H_HomesID FROM tbH_HomeMonthlyStats WHERE H_HomeMonthlyStatsID = ?1)"
                               : "?1";
  insert_ = database.Prepare(
      "INSERT INTO tbS_ChangeRecord (S_Who, S_When, S_Table, S_RecordKey, S_HomesID, S_HomeMonthlyStatsID, S_Field, "
      "S_NewValue, S_RuleNumber, S_Message) VALUES (" +
      WhoSql(Dialect::kSqlite) + ", " + NowSql(Dialect::kSqlite) + ", ?2, ?3, " + home + ", ?4, ?5, ?6, ?7, ?8)");
}

void AcceptanceRecorder::Queue(const kw::Variant& key, const kw::Variant& link, const std::string& field,
                               const kw::Variant& value, int32_t rule, const std::string& message) {
  insert_->Reset();
  const kw::Variant shown = value.IsNull() ? value : kw::Variant::Text(value.ToText());
  if (on_server_) {
    insert_->Bind(1, kw::Variant::Text(std::string(table_.name))).Bind(2, kw::Variant::Text(key.ToText()));
    insert_->Bind(3, kw::Variant::Text(field)).Bind(4, shown);
    insert_->Bind(5, kw::Variant::Long(rule)).Bind(6, kw::Variant::Text(message));
  } else {
    insert_->Bind(1, link)
        .Bind(2, kw::Variant::Text(std::string(table_.name)))
        .Bind(3, kw::Variant::Text(key.ToText()));
    insert_->Bind(4, table_.home_data == HomeData::kByMonth ? link : kw::Variant::Null());
    insert_->Bind(5, kw::Variant::Text(field)).Bind(6, shown);
    insert_->Bind(7, kw::Variant::Long(rule)).Bind(8, kw::Variant::Text(message));
  }
  insert_->Queue();
  insert_->Reset();
}

}  // namespace trf
