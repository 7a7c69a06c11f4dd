// Transaction: one write transaction held for the length of a scope; it is rolled back
// unless Commit was reached, so that a failure in the middle never leaves half of a save behind.
#pragma once

#include "app/data/database.h"
#include "ui_shared/platform/error.h"

namespace trf {

class Transaction {
 public:
  // Begins at once and takes the write lock, so that the writes that follow cannot be refused
  // half-way for a lock held elsewhere. On a read-only database it refuses with a sentence.
  explicit Transaction(Database& database) : database_(database) {
    if (database_.ReadOnly()) {
      RaiseDataError(kDatabaseError,
                     "The database is open read-only, so nothing can be saved; your edits stay on the screen until "
                     "you leave.");
    }
    database_.Begin();
  }
  ~Transaction() {
    if (open_) {
      try {
        database_.Rollback();
      } catch (...) {
        // A rollback after a failed statement may find the transaction already ended.
      }
    }
  }
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  void Commit() {
    database_.Commit();
    open_ = false;
  }

 private:
  Database& database_;
  bool open_ = true;
};

}  // namespace trf
