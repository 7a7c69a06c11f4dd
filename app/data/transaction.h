// Transaction: one SQLite write transaction held for the length of a scope; it is rolled back
// unless Commit was reached, so that a failure in the middle never leaves half of a save behind.
#pragma once

#include "app/data/database.h"

namespace trf {

class Transaction {
 public:
  // Begins at once and takes the write lock, so that the writes that follow cannot be refused
  // half-way for a lock held elsewhere.
  explicit Transaction(Database& database) : database_(database) { database_.Exec("BEGIN IMMEDIATE"); }
  ~Transaction() {
    if (open_) {
      try {
        database_.Exec("ROLLBACK");
      } catch (...) {
        // A rollback after a failed statement may find the transaction already ended.
      }
    }
  }
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  void Commit() {
    database_.Exec("COMMIT");
    open_ = false;
  }

 private:
  Database& database_;
  bool open_ = true;
};

}  // namespace trf
