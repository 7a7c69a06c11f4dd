// What keeps a TRF database trustworthy, generated from the table descriptions for each engine:
// the change record written by triggers, the lock of a filed month, and on a server the group role
// of the desks with its grants and the row-level security that keeps homes apart.
#pragma once

#include <span>
#include <string>

#include "app/data/schema.h"

namespace trf {

// The group role every desk of a server database is a member of: it holds the desks' privileges.
inline constexpr const char* kDeskRole = "trf_desk";
// The table where the application of an SQLite file names the person writing, for the triggers.
inline constexpr const char* kWriterTable = "tbS_Writer";
// The SQLSTATE of the server's refusal to change a filed month; its message is the sentence.
inline constexpr const char* kFiledMonthState = "TF001";
// What the SQLite triggers' refusals start with; the rest is the sentence for the person.
inline constexpr const char* kRefusalMark = "TRF: ";

// The statements that put the triggers (and on a server the role, grants, policies) in place for
// `tables`; they replace what an earlier run put there, so that they serve creation and upgrade.
std::string TrustSql(std::span<const TableDescription> tables, Dialect dialect);

// The statement that makes anew the server's trigger of `table`, which holds a home's data: it
// refuses changes to a filed month and, with `record`, records every change (without, only to
// measure what the record costs).
std::string KeepTriggerSql(const TableDescription& table, bool record);

// Puts the trust in place (see TrustSql); the caller holds the transaction.
void ApplyTrust(Database& database, std::span<const TableDescription> tables, Dialect dialect);

// The SQL expression for who makes a change: the role on a server, on SQLite the name the
// application wrote into the writer table ("another program" when none wrote it).
std::string WhoSql(Dialect dialect);
// The SQL expression for now, UTC, as "2026-12-06 19:05:45".
std::string NowSql(Dialect dialect);

}  // namespace trf
