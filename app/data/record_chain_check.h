// The check a restore makes of a copy's change record before it replaces anything: that each home's
// chain of entries is whole, and each filing matches its digests.
#pragma once

#include <string>

#include "app/data/database.h"

namespace trf {

// Raises a sentence naming `name` and the first thing of `copy`'s change record or filings that does
// not fit (see VerifyTrust), when one does not. A copy of a version before entries were chained is
// taken as it is: its entries are chained at its first opening for writing.
void CheckChangeRecordChains(Database& copy, const std::string& name);

}  // namespace trf
