// The TRF schema on a PostgreSQL server and the opening of a TRF database there.
#include "app/data/change_chain.h"
#include "app/data/postgres_database.h"
#include "app/data/schema.h"
#include "app/data/transaction.h"
#include "app/data/trf_database.h"
#include "app/data/trf_tables.h"
#include "app/data/trust_schema.h"
#include "ui_shared/platform/error.h"
#include "ui_shared/platform/text.h"

namespace trf {

namespace {

// The lock every desk takes while it looks for the schema and creates it ("TRF1").
constexpr const char* kSchemaLock = "SELECT pg_advisory_xact_lock(1414678065)";

bool HasSchema(Database& database) {
  return HasStoredTable(database, Dialect::kPostgres, tables::kClassDependsOn.name);
}

}  // namespace

void MoveCountersPastStoredKeys(Database& database, std::span<const TableDescription> tables) {
  for (const TableDescription& table : tables) {
    const ColumnDescription& key = table.Key();
    if (!key.counted) continue;
    const std::string name(table.name);
    const std::string column(key.name);
    std::string sql = "SELECT setval(pg_get_serial_sequence('";
    sql += kw::text::Lower(name);
    sql += "', '";
    sql += kw::text::Lower(column);
    sql += "'), COALESCE(MAX(";
    sql += column;
    sql += "), 0) + 1, false) FROM ";
    sql += name;
    database.Exec(sql);
  }
}

namespace {

// Refuses, before anything is written, a desk that would make the TRF's tables or bring them up to
// date (`what` says which): only the administrator, who owns them, does that.
void RequireAdministrator(Database& database, const std::string& what) {
  if (IsAdministrator(database)) return;
  RaiseDataError(kDatabaseError, "The TRF's tables at " + database.Path() + " are " + what +
                                     " by its administrator, not by a desk: ask the administrator to open it once "
                                     "with trf, then try again.");
}

}  // namespace

bool IsAdministrator(Database& database) {
  // Superusers own everything; otherwise the owner of the tables, or of the schema before there are any.
  auto query = database.Prepare(
      "SELECT CASE WHEN to_regclass('tbs_classdependson') IS NULL "
      "THEN has_schema_privilege(current_schema(), 'CREATE') "
      "ELSE pg_has_role(current_user, (SELECT relowner FROM pg_class WHERE oid = to_regclass('tbs_classdependson')), "
      "'USAGE') END");
  return query->Step() && query->Column(0).ToBoolean();
}

std::shared_ptr<Database> OpenServerTrfDatabase(const std::string& uri, Access wanted, Seed seed) {
  auto database = std::make_shared<PostgresDatabase>(uri, wanted);
  if (wanted == Access::kReadOnly) {
    if (!HasSchema(*database)) {
      RaiseDataError(
          kDatabaseError,
          database->Path() + " holds no TRF data yet: it is created the first time it is opened for writing.");
    }
    RefuseNewer(database->Path(), StoredSchemaVersion(*database, Dialect::kPostgres));
    return database;
  }
  Transaction transaction(*database);
  database->Exec(kSchemaLock);
  if (!HasSchema(*database)) {
    RequireAdministrator(*database, "made");
    CreateSchema(*database, tables::AllOnServer(), Dialect::kPostgres);
    InsertClassDependsOn(*database);
    if (seed == Seed::kSample) {
      InsertSampleData(*database);
      MoveCountersPastStoredKeys(*database, tables::All());
    }
    ApplyTrust(*database, tables::AllOnServer(), Dialect::kPostgres);
  } else {
    // Tables made before the version was recorded record none: the upgrade records it.
    const int recorded = StoredSchemaVersion(*database, Dialect::kPostgres);
    RefuseNewer(database->Path(), recorded);
    if (recorded < SchemaVersion(tables::AllOnServer())) {
      RequireAdministrator(*database, "brought up to date");
      UpgradeSchema(*database, tables::AllOnServer(), Dialect::kPostgres);
      // Changes recorded before entries were chained go on their homes' chains now; the record's
      // policies, which let no one change it, are put back in force with the trust below.
      database->Exec("ALTER TABLE " + std::string(tables::kChangeRecord.name) + " NO FORCE ROW LEVEL SECURITY");
      SealChanges(*database);
      ApplyTrust(*database, tables::AllOnServer(), Dialect::kPostgres);
    }
  }
  transaction.Commit();
  return database;
}

}  // namespace trf
