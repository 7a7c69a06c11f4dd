// The notes of home months in the database.
#include "app/data/monthly_notes.h"

#include "app/data/transaction.h"

namespace trf {

namespace {

// The month record's id as the key column takes it (13 when it is no number).
kw::Variant MonthKey(const std::string& month_id) { return kw::Variant::Long(kw::Variant::Text(month_id).ToLong()); }

}  // namespace

MonthlyNotes::MonthlyNotes(std::shared_ptr<Database> database) : database_(std::move(database)) {}

StoredNotes MonthlyNotes::Read(const std::string& month_id) {
  auto query = database_->Prepare("SELECT H_NotesRTF, RowVersion FROM tbH_MonthlyNotes WHERE H_HomeMonthlyStatsID = ?");
  query->Bind(1, MonthKey(month_id));
  if (!query->Step()) return {};
  return {query->Column(0).ToText(), static_cast<int64_t>(query->Column(1).ToDouble())};
}

bool MonthlyNotes::Store(const std::string& month_id, const std::string& rtf, int64_t read_version) {
  // Notes never stored are inserted, unless someone inserted theirs first; stored ones are
  // replaced only at the version they were read at.
  auto write = read_version == 0 ? database_->Prepare(
                                       "INSERT INTO tbH_MonthlyNotes (H_NotesRTF, H_HomeMonthlyStatsID) VALUES (?, ?) "
                                       "ON CONFLICT(H_HomeMonthlyStatsID) DO NOTHING")
                                 : database_->Prepare(
                                       "UPDATE tbH_MonthlyNotes SET H_NotesRTF = ?, RowVersion = RowVersion + 1 "
                                       "WHERE H_HomeMonthlyStatsID = ? AND RowVersion = ?");
  write->Bind(1, kw::Variant::Text(rtf)).Bind(2, MonthKey(month_id));
  if (read_version != 0) write->Bind(3, kw::Variant::Double(static_cast<double>(read_version)));
  // In a transaction of the application's, so that the change record names the person.
  Transaction transaction(*database_);
  write->Step();
  const bool stored = database_->Changes() == 1;
  transaction.Commit();
  return stored;
}

}  // namespace trf
