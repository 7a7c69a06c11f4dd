// The restore's check of the change record's chains (nothing to check yet: see the header).
#include "app/data/record_chain_check.h"

namespace trf {

void CheckChangeRecordChains(Database& /*copy*/, const std::string& /*name*/) {}

}  // namespace trf
