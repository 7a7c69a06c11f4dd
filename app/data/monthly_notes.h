// MonthlyNotes: the notes a home keeps for one month, stored as RTF in their own table
// (tbH_MonthlyNotes, one row per month record) so that the formatting survives a restart.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/data/database.h"

namespace trf {

// A month's notes as read, with the version of the row they came from (0: none stored yet).
struct StoredNotes {
  std::string rtf;
  int64_t version = 0;
};

// The notes of month records in the database.
class MonthlyNotes {
 public:
  explicit MonthlyNotes(std::shared_ptr<Database> database);

  // The month record's notes; "" and version 0 when none were stored.
  StoredNotes Read(const std::string& month_id);
  // The RTF of the month record's notes; "" when none were stored.
  std::string Load(const std::string& month_id) { return Read(month_id).rtf; }
  // Stores the RTF of the month record's notes over the version they were read at; that version
  // plus one is theirs afterwards. False, with nothing written, when the stored notes are no
  // longer at `read_version`: someone else stored theirs since, and this store would overwrite them.
  [[nodiscard]] bool Store(const std::string& month_id, const std::string& rtf, int64_t read_version);

 private:
  std::shared_ptr<Database> database_;
};

}  // namespace trf
