// The stored schema of a set of described tables on either engine: the statements that create
// them, the upgrade of older stored tables, and the schema version the stored tables carry.
#pragma once

#include <span>
#include <string>

#include "app/data/database.h"
#include "app/data/table_description.h"

namespace trf {

// The words an engine's schema is written in.
enum class Dialect { kSqlite, kPostgres };

// The words `database`'s engine is written in.
Dialect DialectOf(const Database& database);

// The statements that create `table` on `dialect`: the table with a version column on every row
// (raised by each write), then an index per indexed column. `all` holds the tables its lookups
// refer to.
std::string CreateTableSql(const TableDescription& table, std::span<const TableDescription> all, Dialect dialect);

// Creates every table of `tables` in their order and records their schema version. The caller
// holds the transaction.
void CreateSchema(Database& database, std::span<const TableDescription> tables, Dialect dialect);

// Brings stored tables up to `tables`: creates the tables that are missing, adds the missing
// columns (a column added to stored rows may be empty there, so it is added without NOT NULL)
// and the missing indexes, and records the schema version. Nothing stored is removed. The caller
// holds the transaction.
void UpgradeSchema(Database& database, std::span<const TableDescription> tables, Dialect dialect);

// The schema version the stored tables record; 0 when they record none (stored before versions
// were recorded).
int StoredSchemaVersion(Database& database, Dialect dialect);

// Whether the stored schema holds a table named `table`.
bool HasStoredTable(Database& database, Dialect dialect, std::string_view table);

}  // namespace trf
