// Finding the triggers and tables a stored schema lacks, and putting the triggers back.
#include "app/data/schema_check.h"

#include <map>
#include <set>
#include <string_view>
#include <utility>

#include "app/data/schema.h"
#include "app/data/sqlite_database.h"
#include "app/data/trf_database.h"
#include "app/data/trf_tables.h"
#include "app/data/trust_schema.h"
#include "ui_shared/platform/text.h"

namespace trf {

namespace {

// The most triggers a sentence names one by one; the rest it counts.
constexpr size_t kNamedAtMost = 5;

// A trigger of a file with the statement that made it, which SQLite keeps as it was given.
struct FileTrigger {
  TriggerName trigger;
  std::string sql;
};

std::vector<FileTrigger> FileTriggers(Database& file) {
  auto query = file.Prepare("SELECT name, tbl_name, sql FROM sqlite_master WHERE type = 'trigger' ORDER BY name");
  std::vector<FileTrigger> triggers;
  while (query->Step()) {
    triggers.push_back({{query->Column(0).ToText(), query->Column(1).ToText()}, query->Column(2).ToText()});
  }
  return triggers;
}

// What a fresh file of this version holds: its tables and its triggers, made once in memory by the
// statements that make a file, so that a stored file is compared with exactly what they make.
struct FreshFile {
  std::vector<std::string> tables;
  std::vector<FileTrigger> triggers;
};

const FreshFile& Fresh() {
  static const FreshFile fresh = [] {
    SqliteDatabase file(":memory:");
    CreateTrfSchema(file);
    ApplyTrust(file, tables::All(), Dialect::kSqlite);
    FreshFile made;
    auto tables = file.Prepare("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
    while (tables->Step()) made.tables.push_back(tables->Column(0).ToText());
    made.triggers = FileTriggers(file);
    return made;
  }();
  return fresh;
}

// The word of `sql` that starts at `at`, and `at` moved past it.
std::string WordAt(const std::string& sql, size_t& at) {
  at = sql.find_first_not_of(" \t\r\n", at);
  const size_t end = sql.find_first_of(" \t\r\n(;", at);
  std::string word = sql.substr(at, end - at);
  at = end;
  return word;
}

// The triggers the trust makes on a server, read from the statements that make them: a server
// keeps its triggers in its own words, and a fresh schema cannot be made aside as a file's can.
const std::vector<TriggerName>& ServerTriggers() {
  static const std::vector<TriggerName> triggers = [] {
    const std::string sql = TrustSql(tables::AllOnServer(), Dialect::kPostgres);
    std::vector<TriggerName> made;
    for (size_t at = sql.find(" TRIGGER "); at != std::string::npos; at = sql.find(" TRIGGER ", at)) {
      const size_t statement = sql.rfind('\n', at) + 1;  // 0 for the first line
      const std::string_view start(sql.data() + statement, at - statement);
      at += std::string_view(" TRIGGER ").size();
      if (start != "CREATE" && start != "CREATE OR REPLACE" && start != "CREATE CONSTRAINT") continue;  // DROP TRIGGER
      TriggerName trigger;
      trigger.name = WordAt(sql, at);
      at = sql.find(" ON ", at) + std::string_view(" ON ").size();
      const std::string table = WordAt(sql, at);
      trigger.table = table.substr(table.rfind('.') + 1);  // without a schema's name before it
      // The statements name tables in the server's lower case; a sentence names them as described.
      for (const TableDescription& described : tables::AllOnServer())
        if (kw::text::Lower(described.name) == kw::text::Lower(trigger.table)) trigger.table = described.name;
      made.push_back(std::move(trigger));
    }
    return made;
  }();
  return triggers;
}

// The triggers of a server's schema that are in force, as (table, trigger) in lower case.
std::set<std::pair<std::string, std::string>> ServerTriggersInForce(Database& database) {
  auto query = database.Prepare(
      "SELECT c.relname, t.tgname FROM pg_trigger t JOIN pg_class c ON c.oid = t.tgrelid "
      "WHERE c.relnamespace = (SELECT oid FROM pg_namespace WHERE nspname = current_schema()) "
      "AND NOT t.tgisinternal AND t.tgenabled <> 'D'");
  std::set<std::pair<std::string, std::string>> in_force;
  while (query->Step()) in_force.emplace(query->Column(0).ToText(), query->Column(1).ToText());
  return in_force;
}

TriggerGaps ServerGaps(Database& database) {
  const auto in_force = ServerTriggersInForce(database);
  TriggerGaps gaps;
  for (const TriggerName& trigger : ServerTriggers()) {
    if (!in_force.contains({kw::text::Lower(trigger.table), kw::text::Lower(trigger.name)}))
      gaps.missing.push_back(trigger);
  }
  return gaps;
}

TriggerGaps FileGaps(Database& database) {
  std::map<std::string, FileTrigger> stored;  // by name in lower case, as SQLite finds them
  for (FileTrigger& trigger : FileTriggers(database)) stored.emplace(kw::text::Lower(trigger.trigger.name), trigger);
  TriggerGaps gaps;
  for (const FileTrigger& made : Fresh().triggers) {
    const auto found = stored.find(kw::text::Lower(made.trigger.name));
    if (found == stored.end() || found->second.sql != made.sql) gaps.missing.push_back(made.trigger);
    if (found != stored.end()) stored.erase(found);
  }
  std::set<std::string> trf_tables;
  for (const std::string& table : Fresh().tables) trf_tables.insert(kw::text::Lower(table));
  for (const auto& [name, trigger] : stored) {
    if (trf_tables.contains(kw::text::Lower(trigger.trigger.table))) gaps.foreign.push_back(trigger.trigger);
  }
  return gaps;
}

// `triggers` in words, each by its name and its table.
std::string ListedTriggers(const std::vector<TriggerName>& triggers) {
  std::vector<std::string> names;
  names.reserve(triggers.size());
  for (const TriggerName& trigger : triggers) names.push_back(trigger.name + " on " + trigger.table);
  return Listed(names);
}

// A name as SQL quotes it: whatever it holds, it stays one name.
std::string QuotedName(const std::string& name) {
  std::string quoted = "\"";
  for (const char c : name) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

}  // namespace

std::string Listed(const std::vector<std::string>& names) {
  std::string list;
  for (size_t i = 0; i < names.size() && i < kNamedAtMost; ++i) list += (i ? ", " : "") + names[i];
  if (names.size() > kNamedAtMost) list += " and " + std::to_string(names.size() - kNamedAtMost) + " more";
  return list;
}

std::string TriggerGaps::Described() const {
  std::string words;
  if (!missing.empty())
    words = std::to_string(missing.size()) + " missing or altered (" + ListedTriggers(missing) + ")";
  if (!foreign.empty()) {
    words += (words.empty() ? "" : "; ") + std::to_string(foreign.size()) + " not made by this program (" +
             ListedTriggers(foreign) + ")";
  }
  return words;
}

std::string PutBackNotice(const TriggerGaps& gaps) {
  return "The triggers that keep the change record and the lock of filed months were not all in place: " +
         gaps.Described() +
         ". They are in place again; changes made while they were not may be missing from the change record.";
}

std::string NotPutBackNotice(const TriggerGaps& gaps) {
  return "The triggers that keep the change record and the lock of filed months are not all in place: " +
         gaps.Described() +
         ". A database open read-only is left as it is: the next opening for writing puts them back (on a server, "
         "the administrator's).";
}

TriggerGaps FindTriggerGaps(Database& database) {
  return DialectOf(database) == Dialect::kPostgres ? ServerGaps(database) : FileGaps(database);
}

void PutBackTriggers(Database& database, const TriggerGaps& gaps) {
  const Dialect dialect = DialectOf(database);
  for (const TriggerName& trigger : gaps.foreign) database.Exec("DROP TRIGGER IF EXISTS " + QuotedName(trigger.name));
  ApplyTrust(database, dialect == Dialect::kPostgres ? tables::AllOnServer() : tables::All(), dialect);
}

bool TrustIsCurrent(Database& database) {
  const Dialect dialect = DialectOf(database);
  const bool server = dialect == Dialect::kPostgres;
  auto marked =
      database.Prepare(server ? "SELECT 1 FROM pg_views WHERE schemaname = current_schema() AND viewname = ? AND "
                                "has_table_privilege(format('%I.%I', schemaname, viewname), 'SELECT')"
                              : "SELECT 1 FROM sqlite_master WHERE type = 'view' AND name = ?");
  // A server keeps the names it was not given in quotes in lower case. A mark the role may not read
  // is as good as none: the administrator's opening makes it anew.
  marked->Bind(1, kw::Variant::Text(server ? kw::text::Lower(kTrustView) : kTrustView));
  if (!marked->Step()) return false;  // a trust made before its digest was kept
  marked.reset();
  auto stored = database.Prepare(std::string("SELECT S_Digest FROM ") + kTrustView);
  return stored->Step() &&
         stored->Column(0).ToText() == TrustDigest(database, server ? tables::AllOnServer() : tables::All(), dialect);
}

std::vector<std::string> MissingTables(Database& database, int version) {
  std::vector<std::string> names;
  if (version >= SchemaVersion(tables::All())) {
    names = Fresh().tables;
  } else {
    for (const TableDescription& table : tables::All())
      if (table.since <= version) names.emplace_back(table.name);
  }
  std::vector<std::string> missing;
  for (const std::string& name : names)
    if (!HasStoredTable(database, Dialect::kSqlite, name)) missing.push_back(name);
  return missing;
}

}  // namespace trf
