// The TRF schema on a PostgreSQL server and the opening of a TRF database there.
#include "app/data/postgres_database.h"
#include "app/data/schema.h"
#include "app/data/transaction.h"
#include "app/data/trf_database.h"
#include "app/data/trf_tables.h"
#include "ui_shared/platform/error.h"
#include "ui_shared/platform/text.h"

namespace trf {

namespace {

// The lock every desk takes while it looks for the schema and creates it ("TRF1").
constexpr const char* kSchemaLock = "SELECT pg_advisory_xact_lock(1414678065)";

bool HasSchema(Database& database) { return HasStoredTable(database, Dialect::kPostgres, "tbS_ClassDependsOn"); }

// Moves each key counter past the keys the sample data wrote itself.
void MoveCountersPastStoredKeys(Database& database) {
  for (const TableDescription& table : tables::All()) {
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

}  // namespace

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
    CreateSchema(*database, tables::All(), Dialect::kPostgres);
    InsertClassDependsOn(*database);
    if (seed == Seed::kSample) {
      InsertSampleData(*database);
      MoveCountersPastStoredKeys(*database);
    }
  } else {
    // Tables made before the version was recorded record none: the upgrade records it.
    const int recorded = StoredSchemaVersion(*database, Dialect::kPostgres);
    RefuseNewer(database->Path(), recorded);
    if (recorded < SchemaVersion(tables::All())) UpgradeSchema(*database, tables::All(), Dialect::kPostgres);
  }
  transaction.Commit();
  return database;
}

}  // namespace trf
