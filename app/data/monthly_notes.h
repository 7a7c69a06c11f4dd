// MonthlyNotes: the notes a home keeps for one month, stored as RTF in their own table
// (tbH_MonthlyNotes, one row per month record) so that the formatting survives a restart.
#pragma once

#include <memory>
#include <string>

#include "app/data/database.h"

namespace trf {

// The notes of month records in the database.
class MonthlyNotes {
 public:
  explicit MonthlyNotes(std::shared_ptr<Database> database);

  // The RTF of the month record's notes; "" when none were stored.
  std::string Load(const std::string& month_id);
  // Stores the RTF of the month record's notes, replacing what was stored before.
  void Store(const std::string& month_id, const std::string& rtf);

 private:
  std::shared_ptr<Database> database_;
};

}  // namespace trf
