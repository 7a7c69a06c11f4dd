// The notes of home months in the database.
#include "app/data/monthly_notes.h"

namespace trf {

namespace {

// The month record's id as the key column takes it (13 when it is no number).
kw::Variant MonthKey(const std::string& month_id) { return kw::Variant::Long(kw::Variant::Text(month_id).ToLong()); }

}  // namespace

MonthlyNotes::MonthlyNotes(std::shared_ptr<Database> database) : database_(std::move(database)) {}

std::string MonthlyNotes::Load(const std::string& month_id) {
  auto query = database_->Prepare("SELECT H_NotesRTF FROM tbH_MonthlyNotes WHERE H_HomeMonthlyStatsID = ?");
  query->Bind(1, MonthKey(month_id));
  return query->Step() ? query->Column(0).ToText() : std::string();
}

void MonthlyNotes::Store(const std::string& month_id, const std::string& rtf) {
  auto upsert = database_->Prepare(
      "INSERT INTO tbH_MonthlyNotes (H_HomeMonthlyStatsID, H_NotesRTF) VALUES (?, ?) "
      "ON CONFLICT(H_HomeMonthlyStatsID) DO UPDATE SET H_NotesRTF = excluded.H_NotesRTF, "
      "RowVersion = tbH_MonthlyNotes.RowVersion + 1");
  upsert->Bind(1, MonthKey(month_id)).Bind(2, kw::Variant::Text(rtf));
  upsert->Step();
}

}  // namespace trf
