// A filed month sent as a file: the JSON of a filed month's report as the home's program wrote it
// (`trf-report --json` on a filed month), which the region checks before it takes it: against the
// published schema, as the home's program writes it, filed and not a draft, and its report against
// the digest of its filing. Then it is added to the region's grid as filed (tbR_ImportedFilings).
#pragma once

#include <string>
#include <string_view>

#include "app/business/month_report.h"
#include "app/business/region_grid.h"
#include "app/data/database.h"

namespace trf {

// A file that verified: its report with the facts of its filing, and the text the report was stored
// as at filing, which its digest was taken over.
struct FiledMonthFile {
  MonthReport report;
  std::string stored;
};

// Checks `text`, the content of the file `name`; a sentence naming the file and why it does not
// verify (kDatabaseError) otherwise: not JSON, not of the schema (and where), not as the home's
// program writes it (and where it differs), a draft, or a report that does not match its digest.
FiledMonthFile VerifyFiledMonthFile(std::string_view text, const std::string& name);

// Adds the verified `file` to the region's grid as the filing of its home (by number, one this
// reviewer reviews) and month; the server checks its digest once more and stamps who imported it and
// when. A sentence when the home is not on the server, or the filing was imported before.
void ImportFiledMonth(Database& database, const FiledMonthFile& file);

}  // namespace trf
