// COPY of a made table through libpq.
#include "app/region/copy_stream.h"

#include <libpq-fe.h>

#include <stdexcept>

namespace trf::region {

namespace {

// What the server sends rows in before a piece goes out.
constexpr size_t kPiece = 1 << 20;

[[noreturn]] void Fail(pg_conn* conn, const std::string& what) {
  throw std::runtime_error(what + ": " + std::string(conn ? PQerrorMessage(conn) : "no connection"));
}

// Runs `sql` on `conn`, raising with the server's words when it fails.
void Run(pg_conn* conn, const std::string& sql, ExecStatusType wanted) {
  PGresult* result = PQexec(conn, sql.c_str());
  const bool done = PQresultStatus(result) == wanted;
  PQclear(result);
  if (!done) Fail(conn, sql);
}

}  // namespace

CopyStream::CopyStream(const std::string& uri, std::string_view table, const std::vector<std::string>& columns)
    : conn_(PQconnectdb(uri.c_str())), table_(table) {
  if (PQstatus(conn_) != CONNECTION_OK) {
    const std::string said = PQerrorMessage(conn_);
    PQfinish(conn_);
    throw std::runtime_error("the server could not be reached: " + said);
  }
  pending_.reserve(kPiece + 4096);
  try {
    Run(conn_, "SET session_replication_role = replica", PGRES_COMMAND_OK);
    Run(conn_, "SET synchronous_commit = off", PGRES_COMMAND_OK);
    std::string list;
    for (const std::string& column : columns) list += (list.empty() ? "" : ", ") + column;
    Run(conn_, "COPY " + table_ + " (" + list + ") FROM STDIN", PGRES_COPY_IN);
  } catch (...) {
    PQfinish(conn_);
    throw;
  }
}

CopyStream::~CopyStream() {
  if (!finished_ && PQstatus(conn_) == CONNECTION_OK) PQputCopyEnd(conn_, "the region was not made to the end");
  PQfinish(conn_);
}

void CopyStream::Append(const Value& value) {
  if (std::holds_alternative<std::monostate>(value)) {
    pending_ += "\\N";
    return;
  }
  if (!std::holds_alternative<std::string>(value)) {
    pending_ += *ValueText(value);
    return;
  }
  // The text format's escapes: a backslash, and the characters that end a value or a row.
  for (const char c : std::get<std::string>(value)) {
    switch (c) {
      case '\\': pending_ += "\\\\"; break;
      case '\t': pending_ += "\\t"; break;
      case '\n': pending_ += "\\n"; break;
      case '\r': pending_ += "\\r"; break;
      default: pending_ += c;
    }
  }
}

void CopyStream::Write(const std::vector<Value>& values) {
  for (size_t i = 0; i < values.size(); ++i) {
    if (i) pending_ += '\t';
    Append(values[i]);
  }
  pending_ += '\n';
  ++rows_;
  if (pending_.size() >= kPiece) Send();
}

void CopyStream::Write(const Row& row, bool with_version) {
  if (!with_version) {
    Write(row.values);
    return;
  }
  for (const Value& value : row.values) {
    Append(value);
    pending_ += '\t';
  }
  pending_ += std::to_string(row.version) + "\n";
  ++rows_;
  if (pending_.size() >= kPiece) Send();
}

void CopyStream::Send() {
  if (pending_.empty()) return;
  if (PQputCopyData(conn_, pending_.data(), static_cast<int>(pending_.size())) != 1) Fail(conn_, "COPY " + table_);
  pending_.clear();
}

void CopyStream::Finish() {
  Send();
  finished_ = true;
  if (PQputCopyEnd(conn_, nullptr) != 1) Fail(conn_, "COPY " + table_);
  bool failed = false;
  std::string said;
  while (PGresult* result = PQgetResult(conn_)) {
    if (PQresultStatus(result) != PGRES_COMMAND_OK) {
      failed = true;
      said = PQresultErrorMessage(result);
    }
    PQclear(result);
  }
  if (failed) throw std::runtime_error("COPY " + table_ + ": " + said);
}

}  // namespace trf::region
