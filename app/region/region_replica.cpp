// The statements of the region's replica: publication, replica's tables, subscription.
#include "app/region/region_replica.h"

#include "app/data/schema.h"
#include "app/data/trf_tables.h"
#include "app/data/trust_dialects.h"
#include "app/screens/setup_screen.h"

namespace trf::region {

namespace {

const std::string kClosedMonths = "statstatus = " + std::to_string(kMonthClosed);

const PublishedTable kPublished[] = {
    {&tables::kTrfTypes, ""},
    {&tables::kHomes, ""},
    {&tables::kHomeMonths, kClosedMonths},
    {&tables::kMonthFilings, "h_reopenedat IS NULL"},
    {&tables::kChainHeads, ""},
};

}  // namespace

std::span<const PublishedTable> PublishedTables() { return kPublished; }

std::string PublicationSql() {
  std::string identities, list;
  for (const PublishedTable& published : PublishedTables()) {
    const std::string name(published.table->name);
    list += (list.empty() ? "" : ", ") + name;
    if (published.rows.empty()) continue;
    list += " WHERE (" + std::string(published.rows) + ")";
    identities += "ALTER TABLE " + name + " REPLICA IDENTITY FULL;\n";
  }
  return identities + "CREATE PUBLICATION " + kRegionPublication + " FOR TABLE " + list + ";\n";
}

std::string ReplicaTablesSql() {
  std::string sql;
  for (const PublishedTable& published : PublishedTables()) {
    sql += CreateTableSql(*published.table, tables::AllOnServer(), Dialect::kPostgres);
  }
  return sql;
}

std::string SubscriptionSql(const std::string& primary) {
  return "CREATE SUBSCRIPTION " + std::string(kRegionPublication) + " CONNECTION " + SqlText(primary) +
         " PUBLICATION " + kRegionPublication + ";\n";
}

}  // namespace trf::region
