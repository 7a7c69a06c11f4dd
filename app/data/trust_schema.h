// What keeps a TRF database trustworthy, generated from the table descriptions for each engine:
// the change record written and chained by the engine, the lock of a filed month, filings that only
// their rule changes, and on a server the group role of the desks with its grants, the row-level
// security that keeps homes apart, and the keys the server alone gives out.
#pragma once

#include <span>
#include <string>

#include "app/data/schema.h"

namespace trf {

// The group role every desk of a server database is a member of: it holds the desks' privileges.
inline constexpr const char* kDeskRole = "trf_desk";
// The group role every reviewer of the region is a member of: it reads the homes it was granted and
// their stored filings, asks questions on filed months, and writes no home data.
inline constexpr const char* kReviewerRole = "trf_reviewer";
// The table where the application of an SQLite file names the person writing, for the triggers.
inline constexpr const char* kWriterTable = "tbS_Writer";
// The class of the SQLSTATEs of the server's own refusals (a filed month, a filing's rule, a key not
// given, another home's family group): their message is the sentence for the person.
inline constexpr const char* kTrfRefusalClass = "TF";
// What the SQLite triggers' refusals start with; the rest is the sentence for the person.
inline constexpr const char* kRefusalMark = "TRF: ";

// The statements that put the triggers (and on a server the role, grants, policies and functions)
// in place for `tables`; they replace what an earlier run put there, so that they serve creation and
// upgrade. On a server every function names its tables in `schema` (an SQL name, quoted as needed)
// and runs with the search path fixed to it, the session's temporary tables last.
std::string TrustSql(std::span<const TableDescription> tables, Dialect dialect, const std::string& schema = "");

// The statement that makes anew the server's trigger of `table`, which holds a home's data, in
// `schema`: it refuses changes to a filed month, keys the server did not give and lookups into
// another home and, with `record`, records and chains every change (without, only to measure what
// the record costs).
std::string KeepTriggerSql(const TableDescription& table, bool record, const std::string& schema);

// The view that holds the digest of the trust put in place last (column S_Digest). An opening for
// writing compares it with the digest of this program's trust, so that whatever a later version
// changes in the trust reaches the databases an earlier one made.
inline constexpr const char* kTrustView = "vS_Trust";

// Puts the trust in place (see TrustSql) in the connection's current schema, and its digest in the
// trust's view; the caller holds the transaction.
void ApplyTrust(Database& database, std::span<const TableDescription> tables, Dialect dialect);

// The digest of the trust this program puts in place for `tables` in the connection's current schema.
std::string TrustDigest(Database& database, std::span<const TableDescription> tables, Dialect dialect);

// The SQL name of the connection's current schema, quoted as needed.
std::string CurrentSchemaName(Database& database);

// The SQL expression for who makes a change: the role on a server, on SQLite the name the
// application wrote into the writer table ("another program" when none wrote it).
std::string WhoSql(Dialect dialect);
// The SQL expression for now, UTC, as "2026-12-06 19:05:45".
std::string NowSql(Dialect dialect);

}  // namespace trf
