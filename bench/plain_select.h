// The floor of a month's load on a server: the same select of a month's residents through libpq by
// hand, prepared once, its rows in binary as the business objects ask for them, each column read
// once, kept in a vector and found by key through a hash.
#pragma once

#include <endian.h>
#include <libpq-fe.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "bench/bench_database.h"

namespace bench {

// The residents of a month as the floor keeps them.
struct PlainMonth {
  std::vector<PlainResident> residents;
  std::unordered_map<int64_t, size_t> by_key;
};

namespace plain {

// A column of a binary result: a 32-bit whole number, a double, both in network order.
inline int32_t Int4At(const PGresult* result, int row, int column) {
  uint32_t bits = 0;
  std::memcpy(&bits, PQgetvalue(result, row, column), sizeof bits);
  return static_cast<int32_t>(be32toh(bits));
}
inline double Float8At(const PGresult* result, int row, int column) {
  uint64_t bits = 0;
  std::memcpy(&bits, PQgetvalue(result, row, column), sizeof bits);
  bits = be64toh(bits);
  double value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

}  // namespace plain

// The plain select of a month's residents on one connection, prepared once: each run is one request
// that the server executes on the plan it kept, as the business objects' kept statements are.
class PlainMonthSelect {
 public:
  explicit PlainMonthSelect(PGconn* conn) : conn_(conn) {
    PQclear(PQprepare(conn_, kName,
                      "SELECT H_ResidentsID, H_HomeMonthlyStatsID, H_ResidentName, H_BirthDate, H_AdmissionDate, "
                      "H_MonthlyFee, H_FamilyGroupsID, RowVersion FROM tbH_Residents WHERE H_HomeMonthlyStatsID = $1 "
                      "ORDER BY H_ResidentsID",
                      1, nullptr));
  }
  ~PlainMonthSelect() { PQclear(PQexec(conn_, (std::string("DEALLOCATE ") + kName).c_str())); }
  PlainMonthSelect(const PlainMonthSelect&) = delete;
  PlainMonthSelect& operator=(const PlainMonthSelect&) = delete;

  // The residents of month record `month`.
  PlainMonth Run(int64_t month) const {
    const std::string key = std::to_string(month);
    const char* parameters[] = {key.c_str()};
    PGresult* result = PQexecPrepared(conn_, kName, 1, parameters, nullptr, nullptr, 1);
    const int rows = PQntuples(result);
    PlainMonth plain_month;
    plain_month.residents.resize(static_cast<size_t>(rows));
    for (int r = 0; r < rows; ++r) {
      PlainResident& row = plain_month.residents[static_cast<size_t>(r)];
      row.id = plain::Int4At(result, r, 0);
      row.month = plain::Int4At(result, r, 1);
      row.name.assign(PQgetvalue(result, r, 2), static_cast<size_t>(PQgetlength(result, r, 2)));
      row.birth = plain::Float8At(result, r, 3);
      row.admission = plain::Float8At(result, r, 4);
      row.fee = plain::Float8At(result, r, 5);
      if (!PQgetisnull(result, r, 6)) row.family = plain::Int4At(result, r, 6);
      row.version = plain::Int4At(result, r, 7);
    }
    PQclear(result);
    plain_month.by_key.reserve(plain_month.residents.size());
    for (size_t i = 0; i < plain_month.residents.size(); ++i) {
      plain_month.by_key.emplace(plain_month.residents[i].id, i);
    }
    return plain_month;
  }

 private:
  static constexpr const char* kName = "plain_month";
  PGconn* conn_;
};

}  // namespace bench
