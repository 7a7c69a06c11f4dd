// SQLite connection and statements.
#include "app/data/sqlite_database.h"

#include <sqlite3.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/data/trust_schema.h"
#include "ui_shared/platform/error.h"
#include "ui_shared/platform/text.h"

namespace trf {

namespace {

// What a failure of SQLite means for the person.
std::string Meaning(int code) {
  switch (code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return "The database is in use by another program, which held it longer than this desk waits for it. "
             "Nothing was written; try again in a moment.";
    case SQLITE_FULL: return "The disk or the database is full. Nothing was written; make room and try again.";
    case SQLITE_READONLY: return "The database is open read-only. Nothing was written.";
    case SQLITE_CONSTRAINT: return "The change breaks a rule of the stored data. Nothing was written.";
    case SQLITE_NOTADB: return "The file is not a database.";
    case SQLITE_IOERR: return "The database file could not be read or written. Nothing was written.";
    default: return "The database refused the step. Nothing was written.";
  }
}

// SQLite's own words about a failure, for the error journal.
std::string SqliteSaid(const std::string& context, const std::string& message) {
  return "SQLite said (" + context + "): " + message;
}

// Whether the file at `path` is in WAL mode by its header (its read and write versions are 2).
bool InWalMode(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  char header[20] = {};
  return file.read(header, sizeof header) && header[18] == 2 && header[19] == 2;
}

// The name that opens the file at `path` read-only. A file in WAL mode is read through its log and
// the log's index beside it, which SQLite creates when they are missing, even for a reader: in a
// folder this process may not write, such a file cannot be opened at all by its plain name. When no
// log is beside it, the last writer closed it and every committed change is in the file itself, so
// it is opened immutable (SQLite then takes no lock and creates nothing beside it; a writer that
// starts later is not seen until the file is opened again). When a log is there, a writer is at
// work or stopped half-way and the log holds changes the file lacks: the plain name then reads them
// through the index that writer keeps.
std::string ReadOnlyName(const std::string& path) {
  if (path == ":memory:" || MayWriteBeside(path) || !InWalMode(path) || std::filesystem::exists(path + "-wal")) {
    return path;
  }
  std::string uri = "file://";  // an empty authority; the absolute path follows, its reserved characters escaped
  for (const char c : std::filesystem::absolute(path).string()) {
    if (c == '%' || c == '?' || c == '#') {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
      uri += escaped;
    } else {
      uri += c;
    }
  }
  return uri + "?immutable=1";
}

// A stored value, of the engine's storage class `type`, as a variant: NULL -> Null, whole numbers -> Long (Double
// beyond 32 bits), real numbers -> Double, blobs -> bytes, text -> Text (made valid UTF-8: the engine stores what it is
// given).
kw::Variant VariantOf(sqlite3_value* value, int type) {
  switch (type) {
    case SQLITE_NULL: return kw::Variant::Null();
    case SQLITE_INTEGER: return StoredWholeNumber(sqlite3_value_int64(value));
    case SQLITE_FLOAT: return kw::Variant::Double(sqlite3_value_double(value));
    case SQLITE_BLOB: {
      const auto* data = static_cast<const uint8_t*>(sqlite3_value_blob(value));
      const int size = sqlite3_value_bytes(value);
      std::vector<uint8_t> bytes(data, data + size);
      return kw::Variant::Array(std::make_shared<const kw::VArray>(kw::VArray::Bytes(std::move(bytes))));
    }
    default: {
      const auto* data = reinterpret_cast<const char*>(sqlite3_value_text(value));
      return kw::Variant::Text(
          kw::text::ValidUtf8(std::string_view(data, static_cast<size_t>(sqlite3_value_bytes(value)))));
    }
  }
}

}  // namespace

bool MayWriteBeside(const std::string& path) {
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  return access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) == 0;
}

void RaiseDatabaseError(sqlite3* db, const std::string& context) {
  const int code = db ? sqlite3_errcode(db) : SQLITE_NOMEM;
  const std::string message = db ? sqlite3_errmsg(db) : "out of memory";
  // The TRF's triggers refuse with a sentence of their own (a filed month, the change record).
  const bool ours = (code & 0xFF) == SQLITE_CONSTRAINT && message.starts_with(kRefusalMark);
  RaiseDataError(kDatabaseError, ours ? message.substr(std::string_view(kRefusalMark).size()) : Meaning(code),
                 SqliteSaid(context, message));
}

SqliteStatement::SqliteStatement(sqlite3* db, const std::string& sql, std::vector<int64_t>& queued)
    : db_(db), queued_(queued) {
  const char* tail = nullptr;
  if (sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &stmt_, &tail) != SQLITE_OK) {
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    RaiseDatabaseError(db_, "prepare");
  }
  // A second statement after the first would be left unrun without a word: refused, as on a server.
  if (tail && std::string_view(tail).find_first_not_of(" \t\r\n;") != std::string_view::npos) {
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    RaiseDataError(kDatabaseError, "The database refused the step. Nothing was written.",
                   "SQLite said (prepare): more than one statement in " + sql);
  }
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(stmt_); }

std::optional<std::string_view> SqliteStatement::TextView(int column) const {
  if (sqlite3_column_type(stmt_, column) == SQLITE_NULL) return std::nullopt;
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
  return std::string_view(text ? text : "", static_cast<size_t>(sqlite3_column_bytes(stmt_, column)));
}

SqliteStatement& SqliteStatement::Bind(int index, const kw::Variant& value) {
  int rc = SQLITE_OK;
  switch (value.Type()) {
    case kw::VarType::Empty:
    case kw::VarType::Null: rc = sqlite3_bind_null(stmt_, index); break;
    case kw::VarType::Integer:
    case kw::VarType::Long:
    case kw::VarType::Byte:
    case kw::VarType::Boolean: rc = sqlite3_bind_int64(stmt_, index, value.ToLong()); break;
    case kw::VarType::String: {
      const std::string& s = value.GetText();
      rc = sqlite3_bind_text(stmt_, index, s.c_str(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
      break;
    }
    default: rc = sqlite3_bind_double(stmt_, index, value.ToDouble()); break;
  }
  if (rc != SQLITE_OK) RaiseDatabaseError(db_, "bind");
  return *this;
}

bool SqliteStatement::Step() {
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  RaiseDatabaseError(db_, "step");
}

void SqliteStatement::Queue() {
  Step();
  queued_.push_back(sqlite3_changes64(db_));
}

void SqliteStatement::Reset() {
  Rewind();
  sqlite3_clear_bindings(stmt_);
}

void SqliteStatement::Rewind() { sqlite3_reset(stmt_); }

int SqliteStatement::ColumnCount() const { return sqlite3_column_count(stmt_); }

std::string SqliteStatement::ColumnName(int column) const {
  const char* name = sqlite3_column_name(stmt_, column);
  return name ? name : "";
}

std::string SqliteStatement::ColumnDeclType(int column) const {
  const char* type = sqlite3_column_decltype(stmt_, column);
  return type ? type : "";
}

kw::Variant SqliteStatement::Column(int column) const {
  // One request to the statement per column; the value's own readers take no lock.
  sqlite3_value* value = sqlite3_column_value(stmt_, column);
  return VariantOf(value, sqlite3_value_type(value));
}

void SqliteStatement::AppendRow(std::span<const ReadAs> as, std::vector<kw::Variant>& values) const {
  for (size_t i = 0; i < as.size(); ++i) {
    sqlite3_value* value = sqlite3_column_value(stmt_, static_cast<int>(i));
    const int type = sqlite3_value_type(value);
    kw::Variant& read = values.emplace_back();  // Empty, then made in its place: nothing moved
    if (as[i] == ReadAs::kDate && (type == SQLITE_FLOAT || type == SQLITE_INTEGER)) {
      read.Remake([&] { return kw::Variant::Date(sqlite3_value_double(value)); });  // no number made first
    } else {
      read.Remake([&] { return VariantOf(value, type); });
      if (as[i] == ReadAs::kDate) read = StoredAsDate(read);
    }
  }
}

SqliteDatabase::SqliteDatabase(const std::string& path, Access access, int busy_timeout_ms)
    : Database(path, access), busy_timeout_ms_(busy_timeout_ms) {
  const bool read_only = access == Access::kReadOnly;
  const std::string name = read_only ? ReadOnlyName(path) : path;
  // A connection serves one thread at a time: without the engine's lock on every call, reading a
  // row's columns costs a third less.
  int flags = SQLITE_OPEN_NOMUTEX | (read_only ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  if (name != path) flags |= SQLITE_OPEN_URI;
  if (sqlite3_open_v2(name.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
    sqlite3_close(db_);
    db_ = nullptr;
    RaiseDataError(kDatabaseError, "The database " + path + " cannot be opened.", SqliteSaid("open", message));
  }
  sqlite3_busy_timeout(db_, busy_timeout_ms);
  Exec("PRAGMA foreign_keys = ON");
}

SqliteDatabase::~SqliteDatabase() {
  name_writer_.reset();  // a statement must be finalised before its connection closes
  clear_writer_.reset();
  sqlite3_close(db_);
}

void SqliteDatabase::Exec(const std::string& sql) {
  char* message = nullptr;
  if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
    sqlite3_free(message);  // the connection's message says the same
    RaiseDatabaseError(db_, "exec");
  }
}

std::unique_ptr<Statement> SqliteDatabase::Prepare(const std::string& sql) {
  return std::make_unique<SqliteStatement>(db_, sql, queued_);
}

void SqliteDatabase::Begin() {
  queued_.clear();
  Exec("BEGIN IMMEDIATE");
  if (name_writer_) {
    name_writer_->Rewind();
    name_writer_->Step();
  }
}

void SqliteDatabase::Commit() {
  if (before_commit_) before_commit_(*this);
  if (clear_writer_) {
    clear_writer_->Rewind();
    clear_writer_->Step();
  }
  Exec("COMMIT");
}

void SqliteDatabase::NameWriter(const std::string& table, const std::string& who) {
  name_writer_ = Prepare("UPDATE " + table + " SET S_Who = ?");
  name_writer_->Bind(1, kw::Variant::Text(who));
  clear_writer_ = Prepare("UPDATE " + table + " SET S_Who = NULL");
}

int64_t SqliteDatabase::Changes() const { return sqlite3_changes64(db_); }

std::string SqliteDatabase::NextKeySql(const std::string& table, const std::string& key_column) const {
  return "SELECT COALESCE(MAX(" + key_column + "), 0) + 1 FROM " + table;
}

}  // namespace trf
