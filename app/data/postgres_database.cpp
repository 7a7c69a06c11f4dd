// The PostgreSQL connection and statements on libpq: values travel as text, typed by the server;
// rows of numbers and texts come back in binary.
#include "app/data/postgres_database.h"

#include <endian.h>
#include <libpq-fe.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <utility>

#include "app/data/connection_text.h"
#include "app/data/server_connection.h"
#include "app/data/trust_schema.h"
#include "ui_shared/platform/error.h"
#include "ui_shared/platform/text.h"

namespace trf {

namespace {

// Type numbers of the server's built-in types that the TRF reads.
enum TypeOid : Oid {
  kBool = 16,
  kBytea = 17,
  kInt8 = 20,
  kInt2 = 21,
  kInt4 = 23,
  kFloat4 = 700,
  kFloat8 = 701,
  kDate = 1082,
  kTimestamp = 1114,
  kTimestampTz = 1184,
  kNumeric = 1700,
  kText = 25,
  kVarchar = 1043,
};

// Whether SQLSTATE `state` refuses a step because another connection held what it needed: a lock
// waited for past the lock timeout, a deadlock the server broke, a serialization failure.
bool IsHeld(const std::string& state) { return state == "55P03" || state == "40P01" || state == "40001"; }

// What a failure with SQLSTATE `state` and the server's message `message` means for the person at
// the desk that connects as `role`.
std::string Meaning(const std::string& state, const std::string& message, const std::string& role) {
  const std::string category = state.substr(0, 2);
  if (state == "42501" && message.find("row-level security") != std::string::npos) {
    return "This desk (role " + role +
           ") may not change the records of that home: the administrator gives each desk the homes it works on. "
           "Nothing was written.";
  }
  if (state == "42501") {
    return "This desk (role " + role +
           ") may not do that: only the administrator of the TRF database may. Nothing was written.";
  }
  if (IsHeld(state)) {
    return "Another desk holds records this step needs, longer than this desk waits for them. Nothing was "
           "written; try again in a moment.";
  }
  if (category == "53") return "The database server is out of room. Nothing was written; try again later.";
  if (state == "25006") return "The database is open read-only. Nothing was written.";
  if (category == "23") return "The change breaks a rule of the stored data. Nothing was written.";
  return "The database refused the step. Nothing was written.";
}

// Whether `sql` is one statement that cannot change stored data, so that it may be sent again
// after a lost connection: a query, or the start of a transaction or a setting of the session.
bool WritesNothing(const std::string& sql) {
  const size_t end = sql.find_last_not_of(" \t\r\n;");
  if (end == std::string::npos) return true;
  if (sql.find(';') < end) return false;
  const size_t start = sql.find_first_not_of(" \t\r\n(");
  const std::string word = kw::text::Upper(sql.substr(start, sql.find_first_of(" \t\r\n(", start) - start));
  return word == "SELECT" || word == "SHOW" || word == "VALUES" || word == "BEGIN" || word == "SET";
}

// The text the server reads for `value`, or nothing for NULL.
bool AsText(const kw::Variant& value, std::string& text) {
  switch (value.Type()) {
    case kw::VarType::Empty:
    case kw::VarType::Null: return false;
    case kw::VarType::Integer:
    case kw::VarType::Long:
    case kw::VarType::Byte:
    case kw::VarType::Boolean: text = std::to_string(value.ToLong()); return true;
    case kw::VarType::String: text = value.GetText(); return true;
    default: {
      // Whole numbers as integers, so that an integer column takes them; others exact to the last bit.
      const double number = value.ToDouble();
      char buffer[32];
      if (number == std::trunc(number) && std::fabs(number) < 1e15) {
        text.assign(buffer, std::to_chars(buffer, buffer + sizeof buffer, static_cast<int64_t>(number)).ptr);
      } else {
        std::snprintf(buffer, sizeof buffer, "%.17g", number);
        text = buffer;
      }
      return true;
    }
  }
}

// `sql` with its "?" placeholders numbered as the server wants them ("$1", "$2", ...), and their
// count in `count`; quoted texts and names are left as they are.
std::string Numbered(const std::string& sql, int& next) {
  std::string out;
  out.reserve(sql.size() + 16);
  char quote = 0;
  next = 0;
  for (const char c : sql) {
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == '?') {
      out += "$" + std::to_string(++next);
      continue;
    }
    out += c;
  }
  return out;
}

// The declared type of a table column in the words of the SQLite schema, for the query object.
std::string DeclaredType(Oid type) {
  switch (type) {
    case kBool: return "BOOLEAN";
    case kBytea: return "BLOB";
    case kInt8: return "BIGINT";
    case kInt2: return "SMALLINT";
    case kInt4: return "INTEGER";
    case kFloat4:
    case kFloat8: return "REAL";
    case kDate:
    case kTimestamp:
    case kTimestampTz: return "DATE";
    case kNumeric: return "NUMERIC";
    default: return "TEXT";
  }
}

// Whether a column of `type` reads the same from its binary form as from its text: whole numbers,
// doubles (the text carries every bit) and texts. A result of such columns alone is asked for in
// binary, which spares the server printing the numbers and this side parsing them.
bool ReadsSameInBinary(Oid type) {
  return type == kInt2 || type == kInt4 || type == kInt8 || type == kFloat8 || type == kText || type == kVarchar;
}

// A whole number of `size` bytes (2, 4 or 8, as the server sends them) in network order.
int64_t BigEndian(const char* bytes, int size) {
  switch (size) {
    case 2: {
      uint16_t bits = 0;
      std::memcpy(&bits, bytes, sizeof bits);
      return static_cast<int16_t>(be16toh(bits));
    }
    case 4: {
      uint32_t bits = 0;
      std::memcpy(&bits, bytes, sizeof bits);
      return static_cast<int32_t>(be32toh(bits));
    }
    default: {
      uint64_t bits = 0;
      std::memcpy(&bits, bytes, sizeof bits);
      return static_cast<int64_t>(be64toh(bits));
    }
  }
}

// A double's 8 bytes in network order.
double BigEndianDouble(const char* bytes) {
  const int64_t bits = BigEndian(bytes, 8);
  double number = 0;
  std::memcpy(&number, &bits, sizeof number);
  return number;
}

// A text from the server, made valid UTF-8.
kw::Variant TextOf(const char* text, int size) {
  return kw::Variant::Text(kw::text::ValidUtf8(std::string_view(text, static_cast<size_t>(size))));
}

// The rows the command of `result` changed (0 for one that changes none).
int64_t ChangedRows(PGresult* result) {
  const char* tuples = PQcmdTuples(result);
  return tuples && *tuples ? std::strtoll(tuples, nullptr, 10) : 0;
}

}  // namespace

PostgresStatement::PostgresStatement(PostgresDatabase& database, const std::string& sql) : database_(database) {
  int parameters = 0;
  // A kept statement's text is read once, when it was first prepared.
  if (std::optional<PostgresDatabase::KeptStatement> kept = database.TakeKept(sql)) {
    given_ = std::move(kept->given);
    sql_ = std::move(kept->sql);
    writes_nothing_ = kept->writes_nothing;
    parameters = kept->parameters;
    name_ = std::move(kept->name);
    description_ = kept->description;
    session_ = kept->session;
  } else {
    given_ = sql;
    writes_nothing_ = WritesNothing(sql);
    sql_ = Numbered(sql, parameters);
    name_ = database.NextStatementName();
    PrepareOnServer();
  }
  values_.resize(static_cast<size_t>(parameters));
  bound_.assign(static_cast<size_t>(parameters), false);
}

void PostgresStatement::PrepareOnServer() const {
  if (session_ == database_.Session()) return;
  prepared_in_pipeline_ = database_.Pipelining();
  if (prepared_in_pipeline_) {
    database_.QueuePrepare(name_, sql_);
  } else {
    PQclear(database_.Request([this] { return PQprepare(database_.Handle(), name_.c_str(), sql_.c_str(), 0, nullptr); },
                              true, "prepare"));
  }
  session_ = database_.CurrentSession();
}

PostgresStatement::~PostgresStatement() {
  PQclear(result_);
  PGconn* conn = database_.Handle();
  // A statement of an earlier session or a lost connection goes with its session.
  const bool live = session_ == database_.CurrentSession() && PQstatus(conn) == CONNECTION_OK;
  if (live && !prepared_in_pipeline_) {
    database_.Keep({std::move(given_), std::move(sql_), writes_nothing_, static_cast<int>(values_.size()),
                    std::move(name_), description_, session_});
    return;
  }
  PQclear(description_);
  if (live && PQtransactionStatus(conn) != PQTRANS_INERROR && PQpipelineStatus(conn) == PQ_PIPELINE_OFF) {
    PQclear(PQexec(conn, ("DEALLOCATE " + name_).c_str()));
  }
}

PostgresStatement& PostgresStatement::Bind(int index, const kw::Variant& value) {
  if (index < 1 || static_cast<size_t>(index) > values_.size()) {
    RaiseDataError(kDatabaseError, "The statement has no parameter " + std::to_string(index) + ".");
  }
  const auto slot = static_cast<size_t>(index - 1);
  bound_[slot] = AsText(value, values_[slot]);
  return *this;
}

bool PostgresStatement::Step() {
  if (!result_) {
    const std::vector<const char*> values = Values();
    const int format = BinaryResults() ? 1 : 0;
    PGresult* result = database_.Request(
        [&] {
          PrepareOnServer();
          return PQexecPrepared(database_.Handle(), name_.c_str(), static_cast<int>(values.size()), values.data(),
                                nullptr, nullptr, format);
        },
        writes_nothing_, "step");
    database_.NoteChanges(result);
    TakeRows(result, format);
  }
  return ++row_ < PQntuples(result_);
}

void PostgresStatement::TakeRows(pg_result* result, int format) {
  result_ = result;
  binary_types_.clear();
  if (format == 1) {
    for (int column = 0; column < PQnfields(result_); ++column) binary_types_.push_back(PQftype(result_, column));
  }
}

bool PostgresStatement::CanRunWith(const PostgresDatabase& database) const {
  return &database_ == &database && writes_nothing_ && !result_;
}

int PostgresStatement::PrepareToRunTogether() {
  PrepareOnServer();
  return BinaryResults() ? 1 : 0;
}

bool PostgresStatement::SendTogether(int format) const {
  const std::vector<const char*> values = Values();
  return PQsendQueryPrepared(database_.Handle(), name_.c_str(), static_cast<int>(values.size()), values.data(), nullptr,
                             nullptr, format) == 1;
}

bool PostgresStatement::BinaryResults() const {
  if (!writes_nothing_) return false;
  const PGresult* described = Described();
  const int columns = PQnfields(described);
  for (int column = 0; column < columns; ++column) {
    if (!ReadsSameInBinary(PQftype(described, column))) return false;
  }
  return columns > 0;
}

void PostgresStatement::Queue() {
  PrepareOnServer();
  database_.Queue(name_, Values());
}

std::vector<const char*> PostgresStatement::Values() const {
  std::vector<const char*> values(values_.size());
  for (size_t i = 0; i < values_.size(); ++i) values[i] = bound_[i] ? values_[i].c_str() : nullptr;
  return values;
}

void PostgresStatement::Reset() {
  Rewind();
  bound_.assign(bound_.size(), false);
}

void PostgresStatement::Rewind() {
  PQclear(result_);
  result_ = nullptr;
  row_ = -1;
}

pg_result* PostgresStatement::Described() const {
  if (result_) return result_;
  if (!description_) {
    description_ = database_.Request(
        [this] {
          PrepareOnServer();
          return PQdescribePrepared(database_.Handle(), name_.c_str());
        },
        true, "describe");
  }
  return description_;
}

int PostgresStatement::ColumnCount() const { return PQnfields(Described()); }

std::string PostgresStatement::ColumnName(int column) const {
  const char* name = PQfname(Described(), column);
  return name ? name : "";
}

std::string PostgresStatement::ColumnDeclType(int column) const {
  const PGresult* described = Described();
  return PQftable(described, column) == InvalidOid ? "" : DeclaredType(PQftype(described, column));
}

std::optional<std::string_view> PostgresStatement::TextView(int column) const {
  if (!result_ || row_ < 0 || row_ >= PQntuples(result_) || column < 0 || column >= PQnfields(result_)) {
    RaiseDataError(kDatabaseError, "The statement has no current row or no column " + std::to_string(column) + ".");
  }
  const bool binary = PQfformat(result_, column) == 1;
  if (binary && PQftype(result_, column) != kText && PQftype(result_, column) != kVarchar) {
    RaiseDataError(kDatabaseError, "Column " + std::to_string(column) + " is not a text: cast it in the query.");
  }
  if (PQgetisnull(result_, row_, column)) return std::nullopt;
  return std::string_view(PQgetvalue(result_, row_, column), static_cast<size_t>(PQgetlength(result_, row_, column)));
}

kw::Variant PostgresStatement::Column(int column) const {
  if (!result_ || row_ < 0 || row_ >= PQntuples(result_) || column < 0 || column >= PQnfields(result_)) {
    RaiseDataError(kDatabaseError, "The statement has no current row or no column " + std::to_string(column) + ".");
  }
  return ValueAt(column);
}

void PostgresStatement::AppendRow(std::span<const ReadAs> as, std::vector<kw::Variant>& values) const {
  if (!result_ || row_ < 0 || row_ >= PQntuples(result_) || static_cast<int>(as.size()) > PQnfields(result_)) {
    RaiseDataError(kDatabaseError,
                   "The statement has no current row or not " + std::to_string(as.size()) + " columns.");
  }
  for (size_t i = 0; i < as.size(); ++i) {
    const int column = static_cast<int>(i);
    // Empty, then made in its place: nothing moved.
    values.emplace_back().Remake([&] { return ValueAt(column, as[i]); });
  }
}

kw::Variant PostgresStatement::BinaryValueAt(int column, unsigned int type, ReadAs as) const {
  const int size = PQgetlength(result_, row_, column);
  if (type == kText || type == kVarchar) {
    if (size == 0 && PQgetisnull(result_, row_, column)) return kw::Variant::Null();
    const char* text = PQgetvalue(result_, row_, column);
    if (as == ReadAs::kDate) return StoredAsDate(TextOf(text, size));
    return TextOf(text, size);  // made in place, not copied as a conditional's operand would be
  }
  if (size == 0) return kw::Variant::Null();  // a number in binary always has its bytes
  const char* bytes = PQgetvalue(result_, row_, column);
  if (type == kFloat8) {
    const double number = BigEndianDouble(bytes);
    return as == ReadAs::kDate ? kw::Variant::Date(number) : kw::Variant::Double(number);
  }
  const int64_t number = BigEndian(bytes, size);
  return as == ReadAs::kDate ? kw::Variant::Date(static_cast<double>(number)) : StoredWholeNumber(number);
}

kw::Variant PostgresStatement::ValueAt(int column, ReadAs as) const {
  if (!binary_types_.empty()) return BinaryValueAt(column, binary_types_[static_cast<size_t>(column)], as);
  if (as == ReadAs::kDate) return StoredAsDate(TextValueAt(column));
  return TextValueAt(column);
}

kw::Variant PostgresStatement::TextValueAt(int column) const {
  if (PQgetisnull(result_, row_, column)) return kw::Variant::Null();
  const char* text = PQgetvalue(result_, row_, column);
  switch (PQftype(result_, column)) {
    case kInt2:
    case kInt4:
    case kInt8: return StoredWholeNumber(std::strtoll(text, nullptr, 10));
    case kFloat4:
    case kFloat8:
    case kNumeric: return kw::Variant::Double(std::strtod(text, nullptr));
    case kBool: return kw::Variant::Boolean(text[0] == 't');
    case kBytea: {
      size_t size = 0;
      unsigned char* data = PQunescapeBytea(reinterpret_cast<const unsigned char*>(text), &size);
      std::vector<uint8_t> bytes(data, data + size);
      PQfreemem(data);
      return kw::Variant::Array(std::make_shared<const kw::VArray>(kw::VArray::Bytes(std::move(bytes))));
    }
    default: return TextOf(text, PQgetlength(result_, row_, column));
  }
}

PostgresDatabase::PostgresDatabase(const std::string& location, Access access, int lock_timeout_ms)
    : Database(ShownLocation(location), access), conn_(ConnectToServer(location, Path())),
      lock_timeout_ms_(lock_timeout_ms) {
  // Notices (a table that exists already, a sequence set) are for the server's log, not the screen.
  PQsetNoticeProcessor(
      conn_, [](void*, const char*) {}, nullptr);
  Configure();
}

void PostgresDatabase::Configure() {
  PQsetClientEncoding(conn_, "UTF8");
  // What another desk holds (a row, a table, the schema's lock) is waited for as long as SQLite waits
  // for its lock, then refused as held: no statement of a desk hangs on another.
  Exec("SET lock_timeout = " + std::to_string(lock_timeout_ms_));
  if (ReadOnly()) Exec("SET default_transaction_read_only = on");
}

void PostgresDatabase::Begin() {
  Exec("BEGIN");
  in_transaction_ = true;
}

void PostgresDatabase::Commit() {
  Exec("COMMIT");
  in_transaction_ = false;
}

void PostgresDatabase::Rollback() {
  if (!queued_.empty()) {
    // The answers of steps queued before the failure are of no use now, but must be read first.
    std::vector<int64_t> changes;
    PGresult* failure = nullptr;
    EndPipeline(changes, failure);
    PQclear(failure);
  }
  const bool connected = PQstatus(conn_) == CONNECTION_OK;
  in_transaction_ = false;
  if (connected) Exec("ROLLBACK");
}

int64_t PostgresDatabase::Session() {
  if (PQstatus(conn_) == CONNECTION_OK) return session_;
  if (in_transaction_) RaiseFailure(nullptr, "step");
  PQreset(conn_);
  if (PQstatus(conn_) != CONNECTION_OK) RaiseFailure(nullptr, "connect");
  queued_.clear();  // the answers awaited on the lost connection went with it
  ++session_;
  Configure();
  return session_;
}

pg_result* PostgresDatabase::Request(const std::function<pg_result*()>& send, bool writes_nothing,
                                     const std::string& context) {
  for (bool first_try = true;; first_try = false) {
    Session();
    PGresult* result = send();
    const ExecStatusType status = PQresultStatus(result);
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return result;
    if (!first_try || in_transaction_ || !writes_nothing || !Lost(result)) RaiseFailure(result, context);
    PQclear(result);
  }
}

bool PostgresDatabase::Lost(pg_result* result) {
  const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
  // A server that went away at once (stopped immediately, crashed) leaves libpq's own failure and a
  // connection that still looks alive: reading from it tells.
  if (!state && PQstatus(conn_) == CONNECTION_OK) PQconsumeInput(conn_);
  if (PQstatus(conn_) != CONNECTION_OK) return true;
  const std::string_view code = state ? state : "";
  // Class 08 is a failed connection; 57P01 to 57P03 a server shutting down, crashed or not yet up.
  return code.starts_with("08") || code == "57P01" || code == "57P02" || code == "57P03";
}

PostgresDatabase::~PostgresDatabase() {
  for (KeptStatement& kept : kept_) PQclear(kept.description);
  PQfinish(conn_);
}

std::optional<PostgresDatabase::KeptStatement> PostgresDatabase::TakeKept(const std::string& given) {
  std::optional<KeptStatement> taken;
  for (auto kept = kept_.end(); kept != kept_.begin();) {
    --kept;
    if (kept->session != session_) {
      PQclear(kept->description);  // went with its session
      kept = kept_.erase(kept);
    } else if (!taken && kept->given == given) {
      taken = std::move(*kept);
      kept = kept_.erase(kept);
    }
  }
  return taken;
}

void PostgresDatabase::Keep(KeptStatement kept) {
  kept_.push_back(std::move(kept));
  if (kept_.size() <= kKeptStatements) return;
  KeptStatement& oldest = kept_.front();
  PQclear(oldest.description);
  // In a failed transaction or among queued steps it stays on the server until the session ends.
  if (PQtransactionStatus(conn_) != PQTRANS_INERROR && !Pipelining()) {
    PQclear(PQexec(conn_, ("DEALLOCATE " + oldest.name).c_str()));
  }
  kept_.erase(kept_.begin());
}

void PostgresDatabase::Exec(const std::string& sql) {
  PGresult* result = Request([&] { return PQexec(conn_, sql.c_str()); }, WritesNothing(sql), "exec");
  NoteChanges(result);
  PQclear(result);
}

std::unique_ptr<Statement> PostgresDatabase::Prepare(const std::string& sql) {
  return std::make_unique<PostgresStatement>(*this, sql);
}

void PostgresDatabase::RunTogether(std::span<Statement* const> statements) {
  if (in_transaction_ || Pipelining()) return;
  struct Sent {
    PostgresStatement* statement;
    int format;
  };
  std::vector<Sent> sent;
  for (Statement* statement : statements) {
    // The statements are this connection's own, made by Prepare; one of another runs at its Step.
    auto* own = dynamic_cast<PostgresStatement*>(statement);
    if (own && own->CanRunWith(*this)) sent.push_back({own, 0});
  }
  if (sent.size() < 2) return;  // one alone runs as fast at its Step
  Session();
  for (Sent& each : sent) each.format = each.statement->PrepareToRunTogether();  // prepared and described first
  if (PQenterPipelineMode(conn_) != 1) return;
  size_t sent_count = 0;
  while (sent_count < sent.size() && sent[sent_count].statement->SendTogether(sent[sent_count].format)) ++sent_count;
  if (PQpipelineSync(conn_) != 1) sent_count = 0;
  // The rows of each, in the order sent; a statement whose rows did not come runs at its own Step.
  for (size_t i = 0; i < sent_count; ++i) {
    PGresult* result = PQgetResult(conn_);
    if (!result) break;
    if (PQresultStatus(result) == PGRES_TUPLES_OK) {
      sent[i].statement->TakeRows(result, sent[i].format);
    } else {
      PQclear(result);
    }
    PQclear(PQgetResult(conn_));  // the end of the statement's answer
  }
  // Whatever is left up to the pipeline's end, then out of it; a connection that failed on the way
  // is found lost at the next request, which connects again.
  while (PGresult* rest = PQgetResult(conn_)) {
    const bool synced = PQresultStatus(rest) == PGRES_PIPELINE_SYNC;
    PQclear(rest);
    if (synced) break;
  }
  PQexitPipelineMode(conn_);
}

std::string PostgresDatabase::NextKeySql(const std::string& table, const std::string& /*key_column*/) const {
  // The server gives the key and notes to whom: a new record is written only under a key given to its role.
  return "SELECT trf_new_key('" + kw::text::Lower(table) + "')";
}

void PostgresDatabase::NoteChanges(pg_result* result) { changes_ = ChangedRows(result); }

bool PostgresDatabase::Pipelining() const { return PQpipelineStatus(conn_) != PQ_PIPELINE_OFF; }

void PostgresDatabase::SendInPipeline(const std::function<int()>& send, Awaited awaited) {
  if (!Pipelining() && PQenterPipelineMode(conn_) != 1) RaiseFailure(nullptr, "step");
  if (send() != 1) RaiseFailure(nullptr, "step");
  queued_.push_back(awaited);
}

void PostgresDatabase::Queue(const std::string& name, const std::vector<const char*>& values) {
  Session();
  SendInPipeline(
      [&] {
        return PQsendQueryPrepared(conn_, name.c_str(), static_cast<int>(values.size()), values.data(), nullptr,
                                   nullptr, 0);
      },
      Awaited::kStep);
}

void PostgresDatabase::QueuePrepare(const std::string& name, const std::string& sql) {
  SendInPipeline([&] { return PQsendPrepare(conn_, name.c_str(), sql.c_str(), 0, nullptr); }, Awaited::kPrepare);
}

std::vector<int64_t> PostgresDatabase::Collect() {
  std::vector<int64_t> changes;
  if (queued_.empty()) return changes;
  changes.reserve(queued_.size());
  PGresult* failure = nullptr;
  if (!EndPipeline(changes, failure) || failure) RaiseFailure(failure, "step");
  return changes;
}

bool PostgresDatabase::EndPipeline(std::vector<int64_t>& changes, pg_result*& failure) {
  const std::vector<Awaited> queued = std::exchange(queued_, {});
  if (PQpipelineSync(conn_) != 1) return false;
  for (const Awaited awaited : queued) {
    PGresult* result = PQgetResult(conn_);
    if (!result) return false;
    const ExecStatusType status = PQresultStatus(result);
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) {
      if (awaited == Awaited::kStep) changes.push_back(ChangedRows(result));
      PQclear(result);
    } else if (!failure && status != PGRES_PIPELINE_ABORTED) {
      failure = result;  // the steps after it were not run
    } else {
      PQclear(result);
    }
    PQclear(PQgetResult(conn_));  // the end of the step's answer
  }
  PGresult* sync = PQgetResult(conn_);
  const bool synced = PQresultStatus(sync) == PGRES_PIPELINE_SYNC;
  PQclear(sync);
  return synced && PQexitPipelineMode(conn_) == 1;
}

void PostgresDatabase::RaiseFailure(pg_result* result, const std::string& context) {
  const char* state_field = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
  const std::string state = state_field ? state_field : "";
  const std::string said = PostgresSaid(context, result ? PQresultErrorMessage(result) : PQerrorMessage(conn_));
  const bool lost = Lost(result);
  const char* primary = result ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
  // The TRF's own refusals (a filed month) carry their sentence; the server's words never reach a person.
  const std::string sentence =
      state.starts_with(kTrfRefusalClass) && primary ? primary : Meaning(state, primary ? primary : "", PQuser(conn_));
  PQclear(result);
  if (lost) {
    RaiseDataError(kServerUnreachableError,
                   "The database server could not be reached, so nothing was saved; your edits are still here: save "
                   "again once the server is back.",
                   said);
  }
  RaiseDataError(IsHeld(state) ? kHeldByAnotherDeskError : kDatabaseError, sentence, said);
}

}  // namespace trf
