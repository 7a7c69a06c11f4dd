// Starting a month's TRF: the month becomes active and gets its expense lines, one per expense
// category of its TRF type, in one transaction. The lines are made here, once, so that looking at
// the month (a screen, the problem list, a report, a check against the filing) finds every line
// stored and stores nothing itself.
#pragma once

#include <cstdint>

#include "app/data/database.h"

namespace trf {

// Makes the not-started month record `month` active, with an empty expense line for each category of
// its TRF type that it has none for, in one transaction. A sentence when the month is not (or no
// longer) not started: nothing is written then.
void StartMonth(Database& database, int64_t month);
}  // namespace trf
