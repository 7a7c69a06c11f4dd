// The restore's check of the change record's chains and the filings, through the walk --verify makes.
#include "app/data/record_chain_check.h"

#include "app/data/change_chain.h"
#include "app/data/schema.h"
#include "app/data/trf_tables.h"

namespace trf {

void CheckChangeRecordChains(Database& copy, const std::string& name) {
  const int chained_since = tables::kChangeRecord.Find(tables::column::kChainDigest)->since;
  if (StoredSchemaVersion(copy, DialectOf(copy)) < chained_since) return;
  const TrustCheck check = VerifyTrust(copy);
  if (check.Intact()) return;
  RaiseDataError(kDatabaseError, name + " does not hold its change record as it was written: " +
                                     check.findings.front() + " Nothing was restored. Restore another copy.");
}

}  // namespace trf
