// Database: a small owner of one SQLite connection, with statements that bind and read values
// as variants. Errors of SQLite become runtime errors whose description is a sentence for a person
// (a busy database, a full disk, a read-only file), with SQLite's own words at the end.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui_shared/platform/variant.h"

struct sqlite3;
struct sqlite3_stmt;

namespace trf {

// Error number of a failure reported by the database engine.
inline constexpr int32_t kDatabaseError = static_cast<int32_t>(0x80040E14u);

class Statement {
 public:
  Statement(sqlite3* db, const std::string& sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  // Binds parameter `index` (1-based): empty and null bind NULL, numbers bind as numbers, dates
  // as their serial, texts as text, booleans as 0 / -1.
  Statement& Bind(int index, const kw::Variant& value);
  // Advances to the next row; false when there is none.
  bool Step();
  void Reset();
  int ColumnCount() const;
  std::string ColumnName(int column) const;
  // The declared type of a column ("" for expressions).
  std::string ColumnDeclType(int column) const;
  // The value of a column of the current row: NULL -> Null, INTEGER -> Long (or Double when it
  // does not fit 32 bits), REAL -> Double, TEXT -> Text, BLOB -> byte array.
  kw::Variant Column(int column) const;

 private:
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
};

// How a connection may use its file.
enum class Access { kReadWrite, kReadOnly };

// How long a statement waits for a lock another connection holds before it is refused as busy.
inline constexpr int kDefaultBusyTimeoutMs = 5000;

class Database {
 public:
  // Opens the database at `path`; ":memory:" for a private one. Read-write creates a missing file;
  // read-only never writes to the file. Raises a sentence when the file cannot be opened.
  explicit Database(const std::string& path, Access access = Access::kReadWrite,
                    int busy_timeout_ms = kDefaultBusyTimeoutMs);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  const std::string& Path() const { return path_; }
  bool ReadOnly() const { return access_ == Access::kReadOnly; }
  int BusyTimeoutMs() const { return busy_timeout_ms_; }
  // Rows the last INSERT, UPDATE or DELETE changed.
  int64_t Changes() const;
  void Exec(const std::string& sql);
  std::unique_ptr<Statement> Prepare(const std::string& sql);
  int64_t LastInsertRowId() const;
  sqlite3* Handle() const { return db_; }

 private:
  std::string path_;
  Access access_;
  int busy_timeout_ms_;
  sqlite3* db_ = nullptr;
};

// Raises kDatabaseError with a sentence that says what failed on `db` and that nothing was written.
[[noreturn]] void RaiseDatabaseError(sqlite3* db, const std::string& context);

}  // namespace trf
