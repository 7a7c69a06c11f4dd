// Backing up and restoring a TRF file: a consistent copy taken while desks keep working (SQLite's
// online backup reads one snapshot; in WAL mode writers go on meanwhile), and a restore that checks
// the copy whole before it replaces anything. A server database is dumped and restored with the
// server's own tools (see the README).
#pragma once

#include <string>

namespace trf {

// Copies the TRF file at `database` into `copy` (replaced when it exists). Raises a sentence when
// `database` is no TRF file or the copy cannot be written; a half-written copy is removed.
void BackUpTrfFile(const std::string& database, const std::string& copy);

// Replaces the contents of the TRF file at `database` with `copy`, once the copy passed its checks:
// it is a sound SQLite database (integrity check), a TRF database (application id) of a schema
// version this program knows, holding every table of that version and, at this program's version,
// every trigger as this program makes it and none other on its tables, and its change record's
// chains are whole (CheckChangeRecordChains). `database` must be a TRF file, an empty one or none:
// another program's file is not replaced. Raises a sentence, and leaves `database` untouched, when
// any check fails.
void RestoreTrfFile(const std::string& copy, const std::string& database);

}  // namespace trf
