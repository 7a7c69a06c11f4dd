// Database: one connection to the TRF's storage engine, the embedded SQLite file or a PostgreSQL
// server, with statements that bind and read values as variants. Everything above the data layer
// sees only this interface. Errors of an engine become runtime errors whose sentence is for a person
// (a busy database, a full disk, a server out of reach), naming no program or option; the engine's
// own words travel beside it (kw::Error::Said), and the trail of locations the error passes on its
// way up in front of it: both are for the error journal, not for the person.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui_shared/platform/error.h"
#include "ui_shared/platform/variant.h"

namespace trf {

// Error number of a failure reported by the database engine.
inline constexpr int32_t kDatabaseError = static_cast<int32_t>(0x80040E14u);
// Error number of a database server that could not be reached (at start or in the middle of a step).
inline constexpr int32_t kServerUnreachableError = 3904;
// Error number of a step refused because another connection held the rows or tables it needed
// longer than this one waits (the lock timeout), or because the server broke a deadlock with it:
// nothing of it was written, and trying again later may succeed. The layer that knows what the
// step was for words it anew (see RaiseInstead).
inline constexpr int32_t kHeldByAnotherDeskError = 3905;
// Number of the error journal's lines that say what opening a database found wrong with its
// schema, or put right (a trigger that was missing).
inline constexpr int32_t kSchemaNotice = 3906;

// How a column of a row is read into a record (see Statement::AppendRow): as the engine stored it,
// as Column reads it; or as a date, whose stored number is its serial.
enum class ReadAs : uint8_t { kStored, kDate };

// A stored value read as a date: a number (or a text that spells one) is the date's serial; null
// stays null.
kw::Variant StoredAsDate(const kw::Variant& stored);
// A stored whole number as a record holds it: Long, or Double when it does not fit 32 bits.
kw::Variant StoredWholeNumber(int64_t number);
// A record key as a statement binds it: always a Double, the one kind every engine compares with
// any whole-number column.
kw::Variant BoundKey(int64_t key);

// A statement prepared on one connection.
class Statement {
 public:
  virtual ~Statement() = default;
  // Binds parameter `index` (1-based, the n-th "?" of the text): empty and null bind NULL, numbers
  // bind as numbers, dates as their serial, texts as text, booleans as 0 / -1.
  virtual Statement& Bind(int index, const kw::Variant& value) = 0;
  // Runs the statement on its first call; advances to the next row; false when there is none.
  virtual bool Step() = 0;
  // Runs a writing statement with the bound values without waiting for its answer (the server may
  // still be working on it); the database's Collect gives the rows it changed. Reset may follow at once.
  virtual void Queue() = 0;
  // Back to before the first Step, with no parameter bound.
  virtual void Reset() = 0;
  // Back to before the first Step, the bound values kept: for a statement whose every parameter is
  // bound anew before each run, which then skips unbinding them.
  virtual void Rewind() = 0;
  virtual int ColumnCount() const = 0;
  virtual std::string ColumnName(int column) const = 0;
  // The declared type of a column in the words of the SQLite schema ("INTEGER", "REAL", "TEXT";
  // "" for expressions).
  virtual std::string ColumnDeclType(int column) const = 0;
  // The value of a column of the current row: NULL -> Null, whole numbers -> Long (or Double when
  // they do not fit 32 bits), real numbers -> Double, text -> Text, binary -> byte array.
  virtual kw::Variant Column(int column) const = 0;
  // The text of a column of the current row as the engine holds it, without a copy: valid until the
  // next Step; nothing for a null. For walking many rows fast; on a server the column must be of a
  // text type (cast it in the query).
  virtual std::optional<std::string_view> TextView(int column) const = 0;
  // Appends the current row's first `as.size()` columns to `values`, column n read as as[n] says.
  // One call a row, for loads: an engine reads each column straight into its place, a date's serial
  // straight into a date.
  virtual void AppendRow(std::span<const ReadAs> as, std::vector<kw::Variant>& values) const;
};

// How a connection may use its database.
enum class Access { kReadWrite, kReadOnly };

// How long a statement waits for a lock another connection holds before it is refused as busy.
inline constexpr int kDefaultBusyTimeoutMs = 5000;

// One connection (see the top of this file).
class Database {
 public:
  virtual ~Database() = default;
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  // The location the connection was opened on as a person reads it: the file, or the server's
  // connection text without its password (see ShownLocation).
  const std::string& Path() const { return path_; }
  bool ReadOnly() const { return access_ == Access::kReadOnly; }
  // Rows the last INSERT, UPDATE or DELETE changed.
  virtual int64_t Changes() const = 0;
  // Waits for every step queued since the last call and answers the rows each changed, in the order
  // they were queued; raises the refusal of the first that failed.
  virtual std::vector<int64_t> Collect() = 0;
  // Runs one or more statements without parameters.
  virtual void Exec(const std::string& sql) = 0;
  virtual std::unique_ptr<Statement> Prepare(const std::string& sql) = 0;
  // Runs reading statements, each with its values bound, in one request where the engine can (a
  // server: one round trip for them all rather than one each); each then walks its own rows with
  // Step. A statement that cannot run so (one that writes, or one of another connection) runs at its
  // first Step, as every statement does on an engine that runs steps where it is (a file).
  virtual void RunTogether(std::span<Statement* const> statements) { (void)statements; }
  // Begins a write transaction (taking the write lock at once where the engine has one); Commit
  // and Rollback end it.
  virtual void Begin() = 0;
  virtual void Commit() { Exec("COMMIT"); }
  virtual void Rollback() { Exec("ROLLBACK"); }
  // A statement answering, in one row, the key a new record of `table` takes in `key_column`: the
  // engine's own counter where there is one, so that no two connections take the same key.
  virtual std::string NextKeySql(const std::string& table, const std::string& key_column) const = 0;

  // Adds a sentence a person should read once about what opening the database found or put right
  // (see OpenTrfDatabase).
  void Notice(std::string sentence) { notices_.push_back(std::move(sentence)); }
  // The sentences added since the last call, taken out, so that each is said once.
  std::vector<std::string> TakeNotices() { return std::exchange(notices_, {}); }

 protected:
  Database(std::string path, Access access) : path_(std::move(path)), access_(access) {}

 private:
  std::string path_;
  Access access_;
  std::vector<std::string> notices_;
};

// The sentence for a person that `error` was raised with, trimmed; the runtime's description of its
// number when it carries none.
std::string SentenceOf(const kw::Error& error);

// Raises error `number` of the data layer with `sentence` for the person and `engine_words` (what the
// engine said, for the error journal) beside it.
[[noreturn]] void RaiseDataError(int32_t number, const std::string& sentence, const std::string& engine_words = "");

// Raises `error` again with `sentence` in place of the one it was raised with: its number, its
// source, its trail and the engine's words stay as they were.
[[noreturn]] void RaiseInstead(const kw::Error& error, const std::string& sentence);

}  // namespace trf
