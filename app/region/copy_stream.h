// CopyStream: the rows of one table sent to the server by COPY, on a connection of its own, in the
// server's text format and in large pieces. The connection runs as a replica would apply rows
// (session_replication_role): no trigger fires, so rows and the change record's entries go in as
// made, and so the connection must be the administrator's and a superuser's.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/region/region_row.h"

struct pg_conn;

namespace trf::region {

class CopyStream {
 public:
  // Starts COPY `table` (`columns`) FROM STDIN on a new connection to `uri`; raises a
  // std::runtime_error with the server's words when it cannot.
  CopyStream(const std::string& uri, std::string_view table, const std::vector<std::string>& columns);
  ~CopyStream();
  CopyStream(const CopyStream&) = delete;
  CopyStream& operator=(const CopyStream&) = delete;

  // Appends one row: each value, then the row's version when `with_version`.
  void Write(const Row& row, bool with_version = true);
  // Appends one row of values without a version.
  void Write(const std::vector<Value>& values);
  // Sends what is left and ends the COPY; raises with the server's words when it refused a row.
  void Finish();
  int64_t Rows() const { return rows_; }

 private:
  void Append(const Value& value);
  void Send();

  pg_conn* conn_ = nullptr;
  std::string table_;
  std::string pending_;
  int64_t rows_ = 0;
  bool finished_ = false;
};

}  // namespace trf::region
