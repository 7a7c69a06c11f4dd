// The TRF schema on a PostgreSQL server and the opening of a TRF database there.
#include "app/data/change_chain.h"
#include "app/data/postgres_database.h"
#include "app/data/schema.h"
#include "app/data/schema_check.h"
#include "app/data/transaction.h"
#include "app/data/trf_database.h"
#include "app/data/trf_tables.h"
#include "app/data/trust_schema.h"
#include "ui_shared/platform/error.h"
#include "ui_shared/platform/text.h"

namespace trf {

namespace {

// The lock an opening takes while it makes the schema, brings it up to date or puts its triggers back
// ("TRF1"), so that two first openings at once do not collide.
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
                                     " by its administrator, not by a desk: ask the administrator to open it once, "
                                     "then try again.");
}

// Takes the schema's lock for the transaction, waiting no longer than the connection's lock
// timeout; refuses in words when another holds it longer.
void TakeSchemaLock(Database& database) {
  try {
    database.Exec(kSchemaLock);
  } catch (const kw::Error& error) {
    if (error.Number() != kHeldByAnotherDeskError) throw;
    RaiseInstead(error, "Another desk is making the TRF's tables at " + database.Path() +
                            " or bringing them up to date, or holds their lock, longer than this desk waits: nothing "
                            "was changed; try again in a moment.");
  }
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

std::shared_ptr<Database> OpenServerTrfDatabase(const std::string& location, Access wanted, Seed seed,
                                                int lock_timeout_ms) {
  auto database = std::make_shared<PostgresDatabase>(location, wanted, lock_timeout_ms);
  const bool stored = HasSchema(*database);
  // Tables made before the version was recorded record none: an upgrade records it.
  const int recorded = stored ? StoredSchemaVersion(*database, Dialect::kPostgres) : 0;
  if (stored) RefuseNewer(database->Path(), recorded, tables::AllOnServer());
  const bool current = stored && recorded == SchemaVersion(tables::AllOnServer());
  const TriggerGaps gaps = current ? FindTriggerGaps(*database) : TriggerGaps{};
  if (wanted == Access::kReadOnly) {
    if (!stored) {
      RaiseDataError(
          kDatabaseError,
          database->Path() + " holds no TRF data yet: it is created the first time it is opened for writing.");
    }
    if (!gaps.Empty()) database->Notice(NotPutBackNotice(gaps));
    return database;
  }
  // A schema of this version with its triggers in place is not changed, so no lock is taken: a desk
  // that holds the schema's lock keeps no other from starting. An older trust without a gap is only
  // slower, so a desk works on it and the administrator's opening renews it.
  if (current && gaps.Empty() && (TrustIsCurrent(*database) || !IsAdministrator(*database))) return database;
  // Only the administrator puts triggers back: a desk is refused before it waits for the lock. (A desk
  // waits for the lock of a schema being made or brought up to date, and then finds it done.)
  if (current && !IsAdministrator(*database)) {
    RaiseDataError(kDatabaseError, "The triggers that keep the change record and the lock of filed months at " +
                                       database->Path() + " are not all in place: " + gaps.Described() +
                                       ". A desk cannot put them back, so it does not work on the database: the "
                                       "administrator must open it once, which puts them back.");
  }
  Transaction transaction(*database);
  TakeSchemaLock(*database);
  // What the schema is once no other opening changes it: another may have changed it meanwhile.
  std::string notice;
  if (!HasSchema(*database)) {
    RequireAdministrator(*database, "made");
    CreateSchema(*database, tables::AllOnServer(), Dialect::kPostgres);
    InsertClassDependsOn(*database);
    if (seed == Seed::kSample) {
      InsertSampleData(*database);
      MoveCountersPastStoredKeys(*database, tables::All());
    }
    ApplyTrust(*database, tables::AllOnServer(), Dialect::kPostgres);
  } else if (StoredSchemaVersion(*database, Dialect::kPostgres) < SchemaVersion(tables::AllOnServer())) {
    RequireAdministrator(*database, "brought up to date");
    UpgradeSchema(*database, tables::AllOnServer(), Dialect::kPostgres);
    // Changes recorded before entries were chained go on their homes' chains now; the record's
    // policies, which let no one change it, are put back in force with the trust below.
    database->Exec("ALTER TABLE " + std::string(tables::kChangeRecord.name) + " NO FORCE ROW LEVEL SECURITY");
    SealChanges(*database);
    ApplyTrust(*database, tables::AllOnServer(), Dialect::kPostgres);
  } else if (const TriggerGaps found = FindTriggerGaps(*database); !found.Empty()) {
    PutBackTriggers(*database, found);
    notice = PutBackNotice(found);
  } else if (!TrustIsCurrent(*database)) {
    ApplyTrust(*database, tables::AllOnServer(), Dialect::kPostgres);
  }
  transaction.Commit();
  if (!notice.empty()) database->Notice(notice);
  return database;
}

}  // namespace trf
