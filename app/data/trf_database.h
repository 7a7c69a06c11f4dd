// The TRF database: its schema (homes, month records, TRF types and their screens, residents,
// family groups, expense categories and monthly expenses, the class-to-parent table) and the sample
// data a fresh database starts with.
#pragma once

#include <memory>
#include <span>
#include <string>

#include "app/data/database.h"
#include "app/data/table_description.h"

namespace trf {

// The application id that marks a file as a TRF database ("TRF1").
inline constexpr int64_t kTrfApplicationId = 0x54524631;
// The column that holds the version of every row; each write raises it by one.
inline constexpr const char* kVersionColumn = "RowVersion";

// Whether a fresh database gets the sample data or only the schema.
enum class Seed { kSample, kEmpty };

// Opens the TRF database at `path`: a server when it names one (see IsServerLocation and
// OpenServerTrfDatabase), otherwise a file (":memory:" for a private one). An empty or new file gets
// the schema (and the sample data with Seed::kSample) and is marked as ours; a file of the earlier
// program (no mark, TRF tables) gains the row versions in one transaction; anything else is refused
// with a sentence and left as it was: no name, a folder, a file of another program. A file the
// user may not write, or in a folder the user may not write, opens read-only, as does `wanted`
// read-only; such a file is never written, not even its journal mode, and nothing is created beside
// it where the folder may not be written. Written files run in WAL mode with full synchronous
// commits. A file opened for writing gets back every trigger of its schema that is missing or
// altered, loses those on its tables that this program does not make, and says so
// (Database::Notice); a read-only one says what is amiss. `busy_timeout_ms` is how long a
// statement waits for what another connection holds, on either engine.
std::shared_ptr<Database> OpenTrfDatabase(const std::string& path, Access wanted = Access::kReadWrite,
                                          int busy_timeout_ms = kDefaultBusyTimeoutMs, Seed seed = Seed::kSample);

// Connects to the PostgreSQL database `location` names (see connection_text.h) and, on its first
// use, creates the schema in one transaction (with the sample data when `seed` says so) while other
// openings wait for it; the administrator's opening also brings an earlier schema up to date and
// puts back any trigger of the schema that is missing or disabled, and says so (Database::Notice).
// Only those openings take the schema's lock: one of a current schema takes none. A desk's opening
// refuses to work on a schema whose triggers are not all in place, which only the administrator
// can put back; a read-only opening says what is missing and changes nothing. Statements wait
// `lock_timeout_ms` for what another connection holds (see PostgresDatabase).
std::shared_ptr<Database> OpenServerTrfDatabase(const std::string& location, Access wanted, Seed seed,
                                                int lock_timeout_ms = kDefaultBusyTimeoutMs);

// Whether the role connected to a server database administers it: it owns the TRF's tables (or,
// before there are any, may create them in the schema).
bool IsAdministrator(Database& database);

// The access a file at `path` allows: read-only when `wanted` says so, or when the file or its
// folder (where SQLite keeps the write-ahead log) may not be written.
Access AccessFor(const std::string& path, Access wanted);

// Refuses, with a sentence naming `location`, stored tables of a newer schema version than this
// program describes in `tables` (a file's, or a server's, which has tables of its own); nothing of
// them is touched.
void RefuseNewer(const std::string& location, int stored_version, std::span<const TableDescription> tables);

// The name of the person this program runs for, as the change record of a file names them.
std::string LoginName();

// Creates every table of the SQLite schema; raises when one exists already.
void CreateTrfSchema(Database& database);
// Fills the class-to-parent table of a fresh schema.
void InsertClassDependsOn(Database& database);

// Fills a fresh schema with what every TRF database chooses from: the TRF types with their screens
// and the expense categories.
void InsertLookups(Database& database);
// Fills a fresh schema with the demo: the lookups above, three homes, month records active (StatStatus 1) and not,
// residents and family groups of which some break rules, expense categories partly covered.
void InsertSampleData(Database& database);

// On a server: moves the key counter of each of `tables` past the keys stored rows hold, so that the
// next record written without a key takes a free one (after rows written with their keys).
void MoveCountersPastStoredKeys(Database& database, std::span<const TableDescription> tables);

}  // namespace trf
