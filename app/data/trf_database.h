// The TRF database: its schema (homes, month records, TRF types and their screens, residents,
// family groups, expense categories and monthly expenses, the class-to-parent table) and the sample
// data a fresh database starts with.
#pragma once

#include <memory>
#include <string>

#include "app/data/database.h"

namespace trf {

// Opens the database at `path` (":memory:" for a private one), creating the schema and the
// sample data when the file holds no TRF schema yet. Files run in WAL mode, so that a process
// killed in the middle of a write leaves the last committed state readable.
std::shared_ptr<Database> OpenTrfDatabase(const std::string& path);

// Creates every table of the schema; raises when one exists already.
void CreateTrfSchema(Database& database);

// Fills a fresh schema with the demo: three homes, month records active (StatStatus 1) and not,
// residents and family groups of which some break rules, expense categories partly covered.
void InsertSampleData(Database& database);

}  // namespace trf
