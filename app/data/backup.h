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
// version this program knows. Raises a sentence, and leaves `database` untouched, when any fails.
void RestoreTrfFile(const std::string& copy, const std::string& database);

}  // namespace trf
