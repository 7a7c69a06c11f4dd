// What the walk over the change record's chains costs (`trf --verify`): 100,000 entries of a TRF
// file, each read, made into the bytes its digest covers, hashed and compared, against hashing the
// same bytes with the same library and comparing the digests, the bytes ready in memory; and
// against reading the same rows alone, which the engine's part of the walk costs.
#include <string>
#include <vector>

#include "app/data/change_chain.h"
#include "app/data/memory_policy.h"
#include "app/data/sha256.h"
#include "app/data/transaction.h"
#include "app/data/trf_database.h"
#include "bench/ratio_reporter.h"

namespace {

constexpr int kEntries = 100000;

// A sample file whose change record holds kEntries sealed entries of three homes: whole residents
// added (their row as JSON) and single fields changed, as a month's work leaves them.
std::shared_ptr<trf::Database> Chained() {
  static std::shared_ptr<trf::Database> database = [] {
    auto db = trf::OpenTrfDatabase(":memory:");
    trf::Transaction transaction(*db);
    db->Exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(kEntries) +
             ") INSERT INTO tbS_ChangeRecord (S_Who, S_When, S_Table, S_RecordKey, S_HomesID, S_HomeMonthlyStatsID, "
             "S_Field, S_OldValue, S_NewValue) SELECT 'maple', '2026-12-07 10:' || printf('%02d:%02d', i / 60 % 60, i "
             "% 60), "
             "'tbH_Residents', 100 + i / 3, 1 + i % 3, 3, CASE WHEN i % 3 THEN 'H_MonthlyFee' END, "
             "CASE WHEN i % 3 THEN 2000 + i % 500 END, CASE WHEN i % 3 THEN 2100 + i % 500 ELSE json_object("
             "'H_ResidentsID', 100 + i / 3, 'H_HomeMonthlyStatsID', 3, 'H_ResidentName', 'Resident number ' || i, "
             "'H_BirthDate', 11000 + i % 9000, 'H_AdmissionDate', 36000 + i % 2000, 'H_MonthlyFee', 1500 + i % 3000, "
             "'H_FamilyGroupsID', NULL) END FROM n");
    transaction.Commit();  // seals every entry onto its home's chain
    return db;
  }();
  return database;
}

// The bytes each entry's digest covers, with its stored digest, made once outside the timing.
struct Sealed {
  std::vector<std::string> contents;
  std::vector<std::string> digests;
};

const Sealed& Bytes() {
  static const Sealed sealed = [] {
    Sealed made;
    std::string columns = "S_Digest";
    for (const char* column : trf::kChainedColumns) columns += std::string(", ") + column;
    auto query = Chained()->Prepare("SELECT " + columns + " FROM tbS_ChangeRecord ORDER BY S_HomesID, S_ChangeID");
    std::string previous;
    int64_t home = -1;
    std::vector<kw::Variant> values(trf::kChainedColumnCount);
    while (query->Step()) {
      for (size_t i = 0; i < values.size(); ++i) values[i] = query->Column(static_cast<int>(i + 1));
      const auto this_home = static_cast<int64_t>(values[4].ToDouble());
      if (this_home != home) previous = trf::kChainGenesis;
      home = this_home;
      made.contents.push_back(trf::ChainContent(previous, values));
      made.digests.push_back(query->Column(0).ToText());
      previous = made.digests.back();
    }
    return made;
  }();
  return sealed;
}

void BM_VerifyChains(benchmark::State& state) {
  auto database = Chained();
  for (auto _ : state) {
    const trf::TrustCheck check = trf::VerifyTrust(*database);
    if (!check.Intact() || check.changes != kEntries) state.SkipWithError("the walk found the chains broken");
  }
}
BENCHMARK(BM_VerifyChains)->Unit(benchmark::kMillisecond);

void BM_HashTheSameBytes(benchmark::State& state) {
  const Sealed& sealed = Bytes();
  trf::Sha256 sha;
  for (auto _ : state) {
    size_t fitting = 0;
    for (size_t i = 0; i < sealed.contents.size(); ++i) fitting += sha.Hex(sealed.contents[i]) == sealed.digests[i];
    if (fitting != sealed.contents.size()) state.SkipWithError("the floor's digests differ");
  }
}
BENCHMARK(BM_HashTheSameBytes)->Unit(benchmark::kMillisecond);

// Reading the same rows alone, every value as text where it stands: the part of the walk the engine
// does, which the hashing floor leaves out.
void BM_ReadTheSameRows(benchmark::State& state) {
  auto database = Chained();
  std::string columns = "S_ChangeID";
  for (const char* column : trf::kChainedColumns) columns += std::string(", ") + column;
  for (auto _ : state) {
    auto query = database->Prepare("SELECT " + columns +
                                   ", S_Digest FROM tbS_ChangeRecord WHERE S_Digest IS NOT NULL ORDER BY S_ChangeID");
    size_t bytes = 0;
    while (query->Step()) {
      for (int i = 1; i <= static_cast<int>(trf::kChainedColumnCount) + 1; ++i)
        bytes += query->TextView(i).value_or("").size();
    }
    if (bytes == 0) state.SkipWithError("the rows were not read");
  }
}
BENCHMARK(BM_ReadTheSameRows)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  trf::KeepFreedMemoryForReloads();  // as the programs run
  return bench::RunWithRatios(argc, argv, [](bench::RatioReporter& r) {
    r.Ratio("verify_100k_vs_hashing_the_same_bytes", "BM_VerifyChains", "BM_HashTheSameBytes", 2);
    r.Ratio("verify_100k_vs_reading_the_same_rows", "BM_VerifyChains", "BM_ReadTheSameRows", 2);
  });
}
