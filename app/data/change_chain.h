// The change record as a chain per home: each entry carries a SHA-256 digest over its content and
// the digest of the home's entry before it, so that an entry changed or removed later no longer
// fits the entries after it, nor the digest anyone kept of the chain (a filed report prints it).
// A server's triggers chain each entry as they write it; on a file this program seals the entries at
// the end of each of its transactions (SQLite's triggers cannot hash), and those another program
// wrote at its next one. VerifyTrust walks the chains and the filings.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/data/database.h"

namespace trf {

// The digest before a home's first entry.
inline constexpr char kChainGenesis[] = "0000000000000000000000000000000000000000000000000000000000000000";

// The change record's columns an entry's digest covers, in the order they are hashed.
inline constexpr const char* kChainedColumns[] = {
    "S_Who",   "S_When",     "S_Table",    "S_RecordKey",  "S_HomesID", "S_HomeMonthlyStatsID",
    "S_Field", "S_OldValue", "S_NewValue", "S_RuleNumber", "S_Message"};
inline constexpr size_t kChainedColumnCount = std::size(kChainedColumns);

// The bytes an entry's digest is taken over: the previous digest and each chained value as the
// server writes a row of texts, "(previous,value,...)", a null as nothing between its commas, and a
// value that is empty or holds a quote, a backslash, a parenthesis, a comma or a space in quotes with
// its quotes and backslashes doubled; so no two different entries give the same bytes.
std::string ChainContent(std::string_view previous, std::span<const kw::Variant> values);
// The same into `content` (its room kept from one entry to the next), from values read as texts.
void ChainContentInto(std::string& content, std::string_view previous,
                      std::span<const std::optional<std::string_view>> values);

// The same bytes as an SQL expression of the server, for its triggers: `previous` and each of
// `values` are SQL expressions (an empty one stands for a null).
std::string ChainContentSql(const std::string& previous, std::span<const std::string> values);

// Seals the entries of the change record that carry no digest yet, oldest first, each on the chain
// of its home, and moves the homes' heads on. The caller holds the transaction.
void SealChanges(Database& database);

// What VerifyTrust found.
struct TrustCheck {
  int64_t changes = 0;   // entries on a chain
  int64_t homes = 0;     // chains
  int64_t filings = 0;   // filings checked
  int64_t unsealed = 0;  // entries not on a chain yet (a file's entries another program wrote)
  // Each thing that does not fit, as a sentence; the first of each home's chain only.
  std::vector<std::string> findings;
  bool Intact() const { return findings.empty(); }
  // All is intact, or how many things do not fit; one sentence.
  std::string Summary() const;
};

// Walks every chain the connection may read, from its first entry to its head, and every filing:
// the report's digest, and the chain's digest at filing among the chain's. Reads only.
TrustCheck VerifyTrust(Database& database);

}  // namespace trf
