// Filing a month: once its send-off passed, a month is filed by someone at some time with its report
// as it then stood, and its rows stay as they were filed (the engines' triggers refuse any change)
// until it is reopened, by someone, at some time, for a reason. Every filing stays on record in
// tbH_MonthFilings, never removed and never changed but by its reopening.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/data/database.h"

namespace trf {

// Who filed a month and when (UTC, "2026-12-06 19:05:45"), the report as it was filed (JSON; empty for
// a month filed before reports were kept with their filing), its SHA-256 digest, and the digest of the
// home's change record at filing (hex).
struct Filing {
  std::string filed_by;
  std::string filed_at;
  std::string report = {};
  std::string report_digest = {};
  std::string chain_digest = {};
};

// A filing as the month's history tells it: who filed it and when, and who reopened it, when and why
// (empty while it is in force).
struct FilingEvent {
  std::string filed_by;
  std::string filed_at;
  std::string reopened_by = {};
  std::string reopened_at = {};
  std::string reason = {};
};

// Every filing of month record `month_id`, the reopened ones included, oldest first.
std::vector<FilingEvent> FilingsOfMonth(Database& database, int64_t month_id);
// The filing in force for month record `month_id`: filed and not reopened; nothing while it is open.
std::optional<Filing> FilingOf(Database& database, int64_t month_id);
// Files month record `month_id` with `report` (the month's report as JSON) in the name of whoever the
// engine says is at work, at the engine's time; the report's digest and the home's chain digest go
// with it. The caller holds the transaction; write the month's own changes before, since it is
// locked from here on.
void FileMonth(Database& database, int64_t month_id, const std::string& report = "");
// Sets the status of month record `month_id` to `status` (raising its row version). The caller holds
// the transaction.
void SetMonthStatus(Database& database, int64_t month_id, int32_t status);
// Reopens the filed month record `month_id`, recording who, when and `reason` (which must not be
// blank: raises a sentence then, as when the month is not filed). The caller holds the transaction.
void ReopenMonth(Database& database, int64_t month_id, const std::string& reason);

}  // namespace trf
