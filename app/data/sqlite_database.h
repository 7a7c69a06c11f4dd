// SqliteDatabase: the embedded engine, one SQLite connection on a file (or ":memory:"), and its
// statements.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/data/database.h"

struct sqlite3;
struct sqlite3_stmt;

namespace trf {

// A statement on one SQLite connection.
class SqliteStatement : public Statement {
 public:
  // `queued` gathers the rows changed by each queued step until the connection's Collect.
  SqliteStatement(sqlite3* db, const std::string& sql, std::vector<int64_t>& queued);
  ~SqliteStatement() override;
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  SqliteStatement& Bind(int index, const kw::Variant& value) override;
  bool Step() override;
  // Steps at once: the embedded engine has nobody to wait for.
  void Queue() override;
  void Reset() override;
  void Rewind() override;
  int ColumnCount() const override;
  std::string ColumnName(int column) const override;
  std::string ColumnDeclType(int column) const override;
  kw::Variant Column(int column) const override;
  std::optional<std::string_view> TextView(int column) const override;
  void AppendRow(std::span<const ReadAs> as, std::vector<kw::Variant>& values) const override;

 private:
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
  std::vector<int64_t>& queued_;
};

// One SQLite connection, used by one thread at a time.
class SqliteDatabase : public Database {
 public:
  // Opens the database at `path`; ":memory:" for a private one. Read-write creates a missing file;
  // read-only never writes to the file, nor creates anything beside it where this process may not
  // write. Raises a sentence when the file cannot be opened.
  explicit SqliteDatabase(const std::string& path, Access access = Access::kReadWrite,
                          int busy_timeout_ms = kDefaultBusyTimeoutMs);
  ~SqliteDatabase() override;

  int BusyTimeoutMs() const { return busy_timeout_ms_; }
  int64_t Changes() const override;
  std::vector<int64_t> Collect() override { return std::exchange(queued_, {}); }
  void Exec(const std::string& sql) override;
  std::unique_ptr<Statement> Prepare(const std::string& sql) override;
  // Forgets the counts of steps queued by a transaction that failed before collecting them; names
  // the writer for the triggers (see NameWriter).
  void Begin() override;
  // Takes the writer's name out of the file again before the commit, so that a change made by
  // another program is never recorded in this one's name.
  void Commit() override;
  // From now on every transaction of this connection names `who` in the one-row table `table` for
  // the triggers that record changes; the table must be there.
  void NameWriter(const std::string& table, const std::string& who);
  // From now on every commit of this connection runs `hook` first, inside the transaction: the TRF
  // seals its change record there.
  void BeforeCommit(std::function<void(Database&)> hook) { before_commit_ = std::move(hook); }
  std::string NextKeySql(const std::string& table, const std::string& key_column) const override;
  sqlite3* Handle() const { return db_; }

 private:
  int busy_timeout_ms_;
  sqlite3* db_ = nullptr;
  std::vector<int64_t> queued_;
  std::unique_ptr<Statement> name_writer_, clear_writer_;
  std::function<void(Database&)> before_commit_;
};

// Whether this process may create files in the folder of `path`: a database in WAL mode keeps its
// log beside the file, so a file in a folder that may not be written can only be looked at.
bool MayWriteBeside(const std::string& path);

// Raises kDatabaseError with a sentence that says what failed on `db` and that nothing was written.
[[noreturn]] void RaiseDatabaseError(sqlite3* db, const std::string& context);

}  // namespace trf
