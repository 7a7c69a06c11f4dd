// PostgresDatabase: the server engine, one libpq connection to a PostgreSQL database named by a
// connection text, and its statements, prepared on the server with "?" placeholders turned into "$n".
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/data/database.h"

struct pg_conn;
struct pg_result;

namespace trf {

class PostgresDatabase;

// A statement prepared on the server; Step runs it with the bound values and walks its rows. A
// statement outlives a lost connection: it is prepared again in the next session when first used.
// When it goes, its preparation stays on the server for the next statement of the same text (see
// PostgresDatabase::Keep), which then runs in one request on the plan the server kept.
class PostgresStatement : public Statement {
 public:
  PostgresStatement(PostgresDatabase& database, const std::string& sql);
  ~PostgresStatement() override;
  PostgresStatement(const PostgresStatement&) = delete;
  PostgresStatement& operator=(const PostgresStatement&) = delete;

  PostgresStatement& Bind(int index, const kw::Variant& value) override;
  bool Step() override;
  void Queue() override;
  void Reset() override;
  void Rewind() override;
  int ColumnCount() const override;
  std::string ColumnName(int column) const override;
  std::string ColumnDeclType(int column) const override;
  kw::Variant Column(int column) const override;
  std::optional<std::string_view> TextView(int column) const override;
  void AppendRow(std::span<const ReadAs> as, std::vector<kw::Variant>& values) const override;

  // For PostgresDatabase::RunTogether: whether the statement reads only, belongs to `database` and
  // has not run yet; then its preparation in this session, answering the format its rows come in;
  // its sending (true when sent); and the rows that came for it.
  bool CanRunWith(const PostgresDatabase& database) const;
  int PrepareToRunTogether();
  bool SendTogether(int format) const;
  void TakeRows(pg_result* result, int format);

 private:
  // The value of `column` in the current row, both known to be there, read as `as` says: from the
  // result in binary or in text, as it came.
  kw::Variant ValueAt(int column, ReadAs as = ReadAs::kStored) const;
  // The same for a row that came in binary, the column's type known: a number's bytes or a text,
  // read with the fewest requests to the result; a number read as a date is made one at once.
  kw::Variant BinaryValueAt(int column, unsigned int type, ReadAs as) const;
  // The same for a row that came in text, as stored.
  kw::Variant TextValueAt(int column) const;
  // Whether the rows are asked for in binary: for a statement that writes nothing and whose every
  // column reads the same in binary as in text.
  bool BinaryResults() const;
  // The result that describes the columns: the rows once run, the server's description before.
  pg_result* Described() const;

  // Prepares the statement in the connection's current session (in turn with the queued steps
  // when they are being sent); a statement prepared in it already is left as it is.
  void PrepareOnServer() const;
  // The bound values as libpq takes them, null for NULL.
  std::vector<const char*> Values() const;

  PostgresDatabase& database_;
  std::string given_;  // the text as the caller gave it, by which it is kept
  std::string sql_;
  bool writes_nothing_ = false;
  mutable int64_t session_ = 0;  // the session the statement is prepared in (0 before the first)
  // Prepared in turn with queued steps: whether the server took it shows only when their answers
  // are read, so it is not kept for another statement.
  mutable bool prepared_in_pipeline_ = false;
  std::string name_;
  std::vector<std::string> values_;
  std::vector<bool> bound_;
  pg_result* result_ = nullptr;
  // The type of each column of a result that came in binary, read once per result; empty for a
  // result in text.
  std::vector<unsigned int> binary_types_;
  mutable pg_result* description_ = nullptr;
  int row_ = -1;
};

// One connection to a PostgreSQL server.
class PostgresDatabase : public Database {
 public:
  // Connects to the server `location` names, in either of libpq's forms (see connection_text.h);
  // a refusal is a sentence (see ConnectToServer). A read-only connection refuses writes. A statement
  // waits `lock_timeout_ms` for what another connection holds, then is refused as held
  // (kHeldByAnotherDeskError).
  explicit PostgresDatabase(const std::string& location, Access access = Access::kReadWrite,
                            int lock_timeout_ms = kDefaultBusyTimeoutMs);
  ~PostgresDatabase() override;

  int64_t Changes() const override { return changes_; }
  // Sends the queued steps' end, then reads their answers in order (see PostgresStatement::Queue).
  std::vector<int64_t> Collect() override;
  void Exec(const std::string& sql) override;
  std::unique_ptr<Statement> Prepare(const std::string& sql) override;
  // Sends the statements one after the other and then waits once for all their rows (libpq's
  // pipeline), outside a transaction and when no queued step is in flight; one that failed runs
  // again at its Step, which then says why.
  void RunTogether(std::span<Statement* const> statements) override;
  void Begin() override;
  void Commit() override;
  // A transaction whose connection was lost is over on the server already: nothing to send then.
  void Rollback() override;
  std::string NextKeySql(const std::string& table, const std::string& key_column) const override;
  pg_conn* Handle() const { return conn_; }

  // For statements: a fresh name on the server, the rows the last command changed, and the
  // refusal of a failed step (`result` may be null when the connection failed).
  std::string NextStatementName() { return "trf_" + std::to_string(++statements_); }
  // Connects again when the connection was lost (raising when the server is still out of reach, or
  // when the loss ended a transaction: its remaining steps must not run on their own);
  // answers the number of the session, which changes with every new connection.
  int64_t Session();
  // The number of the session now, without connecting again.
  int64_t CurrentSession() const { return session_; }
  // Makes one request (`send` makes it and answers its result) on a live connection and answers
  // its result when it succeeded. A connection lost during the request is established anew and the
  // request made once more where nothing of it can have been written: outside a transaction, for a
  // request that writes nothing (`writes_nothing`). Any other failure is raised (see RaiseFailure).
  pg_result* Request(const std::function<pg_result*()>& send, bool writes_nothing, const std::string& context);
  void NoteChanges(pg_result* result);
  // Whether steps are being sent without waiting for their answers (until Collect).
  bool Pipelining() const;
  // Sends a step of the prepared statement `name` without waiting for its answer (in pipeline mode).
  void Queue(const std::string& name, const std::vector<const char*>& values);
  // Sends the preparation of `sql` as `name` in turn with the queued steps.
  void QueuePrepare(const std::string& name, const std::string& sql);
  // Raises the failure of `context`: kServerUnreachableError for a lost connection,
  // kHeldByAnotherDeskError for what another connection held too long, otherwise kDatabaseError with
  // what it means; the server's own words go to the error journal.
  [[noreturn]] void RaiseFailure(pg_result* result, const std::string& context);

  // A statement prepared on the server that no statement uses now: its text as given and as sent
  // (placeholders numbered), whether it writes nothing, its parameters' count, its name, the server's
  // description of it when it was asked for, its session.
  struct KeptStatement {
    std::string given;
    std::string sql;
    bool writes_nothing = false;
    int parameters = 0;
    std::string name;
    pg_result* description = nullptr;
    int64_t session = 0;
  };
  // The statements kept at most; beyond, the one kept longest is let go on the server.
  static constexpr size_t kKeptStatements = 64;
  // Takes the kept statement of the text `given` prepared in this session, if there is one: a load that runs
  // the same select again then skips preparing and describing it, two requests of its three, and
  // the server plans it once rather than on every run.
  std::optional<KeptStatement> TakeKept(const std::string& given);
  // Keeps `kept` for the next statement of its text.
  void Keep(KeptStatement kept);

 private:
  // What each answer awaited in the pipeline is the answer to.
  enum class Awaited { kStep, kPrepare };

  // The settings every session starts with.
  void Configure();
  // Whether the failure `result` (null when the request could not be made) lost the connection.
  bool Lost(pg_result* result);
  // Reads the answers of the queued steps and leaves pipeline mode: the rows each changed go into
  // `changes`, the first refusal into `failure` (the caller's to free); false when the connection
  // failed before every answer was read.
  bool EndPipeline(std::vector<int64_t>& changes, pg_result*& failure);
  // Enters pipeline mode unless it is on, then sends with `send` (true when sent); `awaited` says
  // what its answer will be.
  void SendInPipeline(const std::function<int()>& send, Awaited awaited);

  pg_conn* conn_ = nullptr;
  int lock_timeout_ms_;
  int64_t session_ = 1;
  bool in_transaction_ = false;
  int64_t changes_ = 0;
  int64_t statements_ = 0;
  std::vector<Awaited> queued_;
  std::vector<KeptStatement> kept_;  // oldest first
};

}  // namespace trf
