// The trust statements of each engine, behind TrustSql and KeepTriggerSql (see trust_schema.h).
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "app/data/table_description.h"

namespace trf {

std::string PostgresTrustSql(std::span<const TableDescription> tables, const std::string& schema);
std::string PostgresKeepTriggerSql(const TableDescription& table, bool record, const std::string& schema);
std::string SqliteTrustSql(std::span<const TableDescription> tables);
// The region's part of a server's trust (trust_region.cpp): the reviewers, what they read, their
// questions and the desks' replies, and filings imported from files.
std::string PostgresRegionTrustSql(const std::string& schema);

// The moment a server stamps, as an SQL expression: UTC, "2026-12-06 19:05:45".
// What every function the schema makes runs with: its tables found in `schema` alone, a session's
// temporary tables last, so that none can stand in for ours (" SET search_path = ...").
inline std::string FixedSearchPath(const std::string& schema) { return " SET search_path = " + schema + ", pg_temp"; }
// A function that runs with its owner's rights, on the fixed search path.
inline std::string DefinerOn(const std::string& schema) { return " SECURITY DEFINER" + FixedSearchPath(schema); }

inline constexpr char kServerNow[] = "to_char(now() AT TIME ZONE 'UTC', 'YYYY-MM-DD HH24:MI:SS')";

// A name of this program's own (a table, a column) as an SQL literal; never a value of a person's.
std::string Quoted(std::string_view text);

// The column that ties a table's rows to their home or their month.
std::string_view LinkColumn(const TableDescription& table);

// The statements that make `table`'s trigger `trigger` anew; `rule` follows its name.
std::string Trigger(const std::string& table, const std::string& trigger, const std::string& rule);
// A policy made anew: `rule` is what follows the table's name in CREATE POLICY.
std::string Policy(const std::string& table, const std::string& policy, const std::string& rule);
// A refusal of the TRF's own on a server (SQLSTATE "TF" + `state`), which the client shows as it stands.
std::string Refuse(const std::string& state, std::string_view sentence);
// The partial index through which the accepted questions of a home, or of one of its months, are
// read back (see AcceptancesOf): `table` is the change record's name as the engine's statements write it.
inline constexpr char kAcceptedQuestionsIndex[] = "ixS_ChangeRecord_AcceptedByMonth";
std::string AcceptedQuestionsIndex(const std::string& table);

// The sentence that refuses a change made past the TRF's rules, in words, with a quote doubled for
// an SQL literal.
std::string SqlText(std::string_view sentence);

}  // namespace trf
