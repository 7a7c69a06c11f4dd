// The floor of a month's load on a server: the same rows through libpq by hand, the month's residents
// and the questions a person accepted about them, both selects prepared once and sent together in one
// round trip (libpq's pipeline), the residents in binary as the business objects ask for them, each
// column read once, kept in a vector and found by key through a hash.
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

// A question accepted about a resident, as the floor keeps it: each column as text.
struct PlainAcceptance {
  std::string table, key, field, value, rule, who, when;
};

// The residents of a month and the accepted questions about them, as the floor keeps them.
struct PlainMonth {
  std::vector<PlainResident> residents;
  std::unordered_map<int64_t, size_t> by_key;
  std::vector<PlainAcceptance> accepted;
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

// The plain selects of a month on one connection, prepared once: each run is one round trip in which
// the server executes both on the plans it kept, as the business objects' kept statements are.
class PlainMonthSelect {
 public:
  explicit PlainMonthSelect(PGconn* conn) : conn_(conn) {
    PQclear(PQprepare(conn_, kResidents,
                      "SELECT H_ResidentsID, H_HomeMonthlyStatsID, H_ResidentName, H_BirthDate, H_AdmissionDate, "
                      "H_MonthlyFee, H_FamilyGroupsID, RowVersion FROM tbH_Residents WHERE H_HomeMonthlyStatsID = $1 "
                      "ORDER BY H_ResidentsID",
                      1, nullptr));
    // The accepted questions that no later change of their field made void, through their index.
    PQclear(PQprepare(conn_, kAccepted,
                      "SELECT a.S_Table, a.S_RecordKey, a.S_Field, a.S_NewValue, a.S_RuleNumber, a.S_Who, a.S_When "
                      "FROM tbS_ChangeRecord a WHERE a.S_HomeMonthlyStatsID = $1 AND a.S_RuleNumber IS NOT NULL AND "
                      "a.S_Table = 'tbH_Residents' AND NOT EXISTS (SELECT 1 FROM tbS_ChangeRecord c WHERE "
                      "c.S_RecordKey = a.S_RecordKey AND c.S_Table = a.S_Table AND lower(c.S_Field) = lower(a.S_Field) "
                      "AND c.S_RuleNumber IS NULL AND c.S_ChangeID > a.S_ChangeID) ORDER BY a.S_ChangeID",
                      1, nullptr));
  }
  ~PlainMonthSelect() {
    PQclear(PQexec(conn_, (std::string("DEALLOCATE ") + kResidents).c_str()));
    PQclear(PQexec(conn_, (std::string("DEALLOCATE ") + kAccepted).c_str()));
  }
  PlainMonthSelect(const PlainMonthSelect&) = delete;
  PlainMonthSelect& operator=(const PlainMonthSelect&) = delete;

  // The residents of month record `month` and the questions accepted about them; no residents when
  // the server did not answer.
  PlainMonth Run(int64_t month) const {
    const std::string key = std::to_string(month);
    const char* parameters[] = {key.c_str()};
    PlainMonth plain_month;
    PQenterPipelineMode(conn_);
    PQsendQueryPrepared(conn_, kResidents, 1, parameters, nullptr, nullptr, 1);
    PQsendQueryPrepared(conn_, kAccepted, 1, parameters, nullptr, nullptr, 0);
    PQpipelineSync(conn_);
    PGresult* residents = PQgetResult(conn_);
    PQclear(PQgetResult(conn_));  // the end of the first answer
    PGresult* accepted = PQgetResult(conn_);
    PQclear(PQgetResult(conn_));
    PQclear(PQgetResult(conn_));  // the pipeline's end
    PQexitPipelineMode(conn_);
    if (PQresultStatus(residents) == PGRES_TUPLES_OK) ReadResidents(residents, plain_month);
    if (PQresultStatus(accepted) == PGRES_TUPLES_OK) ReadAccepted(accepted, plain_month);
    PQclear(residents);
    PQclear(accepted);
    return plain_month;
  }

 private:
  static void ReadResidents(const PGresult* result, PlainMonth& plain_month) {
    const int rows = PQntuples(result);
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
    plain_month.by_key.reserve(plain_month.residents.size());
    for (size_t i = 0; i < plain_month.residents.size(); ++i) {
      plain_month.by_key.emplace(plain_month.residents[i].id, i);
    }
  }
  static void ReadAccepted(const PGresult* result, PlainMonth& plain_month) {
    const auto text = [result](int row, int column) {
      return std::string(PQgetvalue(result, row, column), static_cast<size_t>(PQgetlength(result, row, column)));
    };
    for (int r = 0; r < PQntuples(result); ++r) {
      plain_month.accepted.push_back(
          {text(r, 0), text(r, 1), text(r, 2), text(r, 3), text(r, 4), text(r, 5), text(r, 6)});
    }
  }

  static constexpr const char* kResidents = "plain_month";
  static constexpr const char* kAccepted = "plain_accepted";
  PGconn* conn_;
};

}  // namespace bench
