// The benchmarks' database: the TRF sample database with extra month records holding 1,000,
// 10,000, 30,000 and 100,000 residents of realistic names, dates and fees that break no rule, and
// three of 2,000, 4,000 and 8,000 for the growth of removal.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/data/sqlite_database.h"
#include "app/data/transaction.h"
#include "app/data/trf_database.h"

namespace bench {

// A month record per size; its id is the key the residents are loaded by.
struct Month {
  int32_t id;
  int32_t residents;
};
inline constexpr Month kMonth1k{1001, 1000};
inline constexpr Month kMonth10k{1002, 10000};
inline constexpr Month kMonth30k{1003, 30000};
inline constexpr Month kMonth100k{1004, 100000};
inline constexpr Month kMonth2k{1011, 2000};
inline constexpr Month kMonth4k{1012, 4000};
inline constexpr Month kMonth8k{1013, 8000};

// A resident's row as a hand-written reader keeps it, for the floors of a load.
struct PlainResident {
  int64_t id = 0, month = 0, version = 0;
  std::string name;
  double birth = 0, admission = 0, fee = 0;
  std::optional<int64_t> family;
};

// The name of resident `i`: some shorter and some longer than a small-string buffer.
inline std::string ResidentName(int i) {
  return i % 2 ? "Resident " + std::to_string(i) : "Resident number " + std::to_string(i) + " of the home";
}

inline std::shared_ptr<trf::Database> BenchDatabase() {
  static std::shared_ptr<trf::Database> database = [] {
    auto db = trf::OpenTrfDatabase(":memory:");
    trf::Transaction transaction(*db);
    auto insert = db->Prepare(
        "INSERT INTO tbH_Residents (H_HomeMonthlyStatsID, H_ResidentName, H_BirthDate, H_AdmissionDate, "
        "H_MonthlyFee, H_FamilyGroupsID) VALUES (?, ?, ?, ?, ?, ?)");
    for (const Month month : {kMonth1k, kMonth10k, kMonth30k, kMonth100k, kMonth2k, kMonth4k, kMonth8k}) {
      db->Exec(
          "INSERT INTO tbH_HomeMonthlyStats (H_HomeMonthlyStatsID, H_HomesID, H_StatMonth, HU_TrfTypesCD, "
          "StatStatus) VALUES (" +
          std::to_string(month.id) + ", 1, 38139, 'STD', 0)");
      for (int i = 0; i < month.residents; ++i) {
        insert->Reset();
        insert->Bind(1, kw::Variant::Long(month.id));
        insert->Bind(2, kw::Variant::Text(ResidentName(i)));
        insert->Bind(3, kw::Variant::Double(11000 + i % 9000)).Bind(4, kw::Variant::Double(36000 + i % 2000));
        insert->Bind(5, kw::Variant::Double(1500 + i % 3000 + 0.25 * (i % 4)));
        insert->Bind(6, i % 3 ? kw::Variant::Null() : kw::Variant::Long(1 + i % 4));
        insert->Step();
      }
    }
    transaction.Commit();
    return db;
  }();
  return database;
}

}  // namespace bench
