// The region's reading on a replica: the filed months of the server the desks write to (the
// primary) published by logical replication to a second server, where the region's reviewers read
// and nothing else writes. Row filters keep every active month on the primary: a month record goes
// across once it is closed, a filing while it is in force; a month reopened leaves the replica until
// it is filed again. Nothing of a month's rows or of the change record goes across, only the heads
// of the homes' chains (a digest each: that a home's record moved on, not what changed).
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "app/data/table_description.h"

namespace trf::region {

// A table the replica receives, and which of its rows (a condition on the row's own columns;
// empty for all of them).
struct PublishedTable {
  const TableDescription* table;
  std::string_view rows;
};

// The name of the publication on the primary and of the subscription on the replica.
inline constexpr char kRegionPublication[] = "trf_region";

// What the replica receives: the homes, the TRF types their months name, the closed months, the
// filings in force with their reports and digests, the chains' heads. The region's questions join
// this list once their table is described.
std::span<const PublishedTable> PublishedTables();

// On the primary, as the administrator of the TRF's tables: the publication, and for each table
// with a row filter the replica identity the filter needs (the whole row: a filter may read only
// columns an update or a delete sends along).
std::string PublicationSql();
// On the replica: the published tables as the TRF describes them, in the connection's schema, with
// no trigger or policy (only the subscription writes there).
std::string ReplicaTablesSql();
// On the replica: the subscription to the primary at `primary` (libpq's connection text; a
// role there that may replicate), which copies the published rows first and follows from then on.
std::string SubscriptionSql(const std::string& primary);

}  // namespace trf::region
