// Desks at work at once, and the accounting of their saves.
#include "app/load/load_run.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <latch>
#include <memory>
#include <optional>
#include <thread>

#include "app/data/postgres_database.h"
#include "app/load/desk_load.h"
#include "app/region/region_homes.h"
#include "app/region/region_uri.h"

namespace trf::load {

namespace {

int64_t Count(Database& database, const std::string& sql) {
  auto query = database.Prepare(sql);
  return query->Step() && !query->Column(0).IsNull() ? static_cast<int64_t>(query->Column(0).ToDouble()) : 0;
}

// The deadlocks the server counted in the current database.
int64_t ServerDeadlocks(Database& database) {
  return Count(database, "SELECT deadlocks FROM pg_stat_database WHERE datname = current_database()");
}

// The number the change record gave its newest entry.
int64_t NewestChange(Database& database) {
  return Count(database,
               "SELECT pg_sequence_last_value(pg_get_serial_sequence('tbs_changerecord', 's_changeid')::regclass)");
}

// `keys` as an array the server reads: "{1,2,3}".
std::string ArrayOf(const std::map<int64_t, double>& keys) {
  std::string array = "{";
  for (const auto& [key, fee] : keys) array += (array.size() > 1 ? "," : "") + std::to_string(key);
  return array + "}";
}

// Counts the desk's acknowledged saves that the server does not show: a value not the last saved,
// a save without its entry in the change record (written after entry `since`).
void Account(Database& admin, const DeskOutcome& outcome, int64_t since, LoadResult& result) {
  if (outcome.saved_fees.empty()) return;
  const std::string keys = ArrayOf(outcome.saved_fees);
  auto stored =
      admin.Prepare("SELECT H_ResidentsID, H_MonthlyFee FROM tbH_Residents WHERE H_ResidentsID = ANY (?::integer[])");
  stored->Bind(1, kw::Variant::Text(keys));
  while (stored->Step()) {
    const auto key = static_cast<int64_t>(stored->Column(0).ToDouble());
    if (stored->Column(1).ToDouble() != outcome.saved_fees.at(key)) ++result.lost_updates;
  }
  auto entries = admin.Prepare(
      "SELECT S_RecordKey::integer, COUNT(*) FROM tbS_ChangeRecord WHERE S_Table = 'tbH_Residents' "
      "AND S_Field = 'h_monthlyfee' AND S_RecordKey = ANY (?::text[]) AND S_ChangeID > ? GROUP BY S_RecordKey");
  entries->Bind(1, kw::Variant::Text(keys)).Bind(2, kw::Variant::Double(static_cast<double>(since)));
  std::map<int64_t, int64_t> recorded;
  while (entries->Step()) {
    recorded[static_cast<int64_t>(entries->Column(0).ToDouble())] = static_cast<int64_t>(entries->Column(1).ToDouble());
  }
  for (const auto& [key, saves] : outcome.saves_of)
    result.unrecorded_saves += std::max<int64_t>(0, saves - recorded[key]);
}

}  // namespace

double Percentile(const std::vector<double>& sorted, double share) {
  if (sorted.empty()) return 0;
  const auto rank = static_cast<size_t>(std::ceil(share * static_cast<double>(sorted.size())));
  return sorted[std::clamp<size_t>(rank, 1, sorted.size()) - 1];
}

LoadResult RunLoad(const LoadPlan& plan) {
  PostgresDatabase admin(plan.admin_uri);
  const int64_t deadlocks_before = ServerDeadlocks(admin);
  const int64_t since = NewestChange(admin);
  const auto desks = static_cast<size_t>(plan.desks);
  std::vector<std::optional<DeskOutcome>> outcomes(desks);
  std::vector<std::string> refusals(desks);
  std::latch ready(plan.desks);
  std::latch go(1);
  std::chrono::steady_clock::time_point until;
  std::vector<std::thread> threads;
  for (size_t i = 0; i < desks; ++i) {
    threads.emplace_back([&, i] {
      std::unique_ptr<Desk> desk;
      const auto noting = [&](const std::function<void()>& step) {
        try {
          step();
        } catch (const kw::Error& error) {
          refusals[i] = SentenceOf(error);
        } catch (const std::exception& error) {
          refusals[i] = error.what();
        }
      };
      noting([&] {
        const std::string role =
            region::RegionHomes::DeskRole({.desk_prefix = plan.desk_prefix}, static_cast<int64_t>(i + 1));
        desk = std::make_unique<Desk>(region::WithRole(plan.desks_uri, role));
      });
      ready.count_down();
      go.wait();
      if (!desk) return;
      noting([&] { desk->Work(until); });
      outcomes[i] = desk->Outcome();
    });
  }
  ready.wait();
  const auto started = std::chrono::steady_clock::now();
  until = started +
          std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(plan.seconds));
  go.count_down();
  for (std::thread& thread : threads) thread.join();
  const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - started;

  LoadResult result;
  result.desks = plan.desks;
  result.seconds = spent.count();
  std::vector<double> latencies;
  for (size_t i = 0; i < desks; ++i) {
    if (!refusals[i].empty() && result.other_failures++ == 0) result.first_failure = refusals[i];
    if (!outcomes[i]) continue;
    const DeskOutcome& outcome = *outcomes[i];
    latencies.insert(latencies.end(), outcome.latencies_ms.begin(), outcome.latencies_ms.end());
    result.deadlocks += outcome.deadlocks;
    result.lock_timeouts += outcome.lock_timeouts;
    result.refused_as_changed += outcome.refused_as_changed;
    if (outcome.other_failures > 0 && result.other_failures == 0) result.first_failure = outcome.first_failure;
    result.other_failures += outcome.other_failures;
    Account(admin, outcome, since, result);
  }
  std::sort(latencies.begin(), latencies.end());
  result.saves = static_cast<int64_t>(latencies.size());
  result.saves_per_second = static_cast<double>(result.saves) / result.seconds;
  result.p50_ms = Percentile(latencies, 0.50);
  result.p95_ms = Percentile(latencies, 0.95);
  result.max_ms = latencies.empty() ? 0 : latencies.back();
  result.server_deadlocks = ServerDeadlocks(admin) - deadlocks_before;
  return result;
}

std::string Summary(const LoadResult& result) {
  char line[512];
  std::snprintf(
      line, sizeof line,
      "desks %d: %lld saves in %.1f s, %.1f saves/s, p50 %.2f ms, p95 %.2f ms, max %.1f ms; lost updates %lld, "
      "saves not on record %lld, deadlocks %lld (server %lld), lock timeouts %lld, refused as changed %lld, "
      "other failures %lld",
      result.desks, static_cast<long long>(result.saves), result.seconds, result.saves_per_second, result.p50_ms,
      result.p95_ms, result.max_ms, static_cast<long long>(result.lost_updates),
      static_cast<long long>(result.unrecorded_saves), static_cast<long long>(result.deadlocks),
      static_cast<long long>(result.server_deadlocks), static_cast<long long>(result.lock_timeouts),
      static_cast<long long>(result.refused_as_changed), static_cast<long long>(result.other_failures));
  return std::string(line) + (result.first_failure.empty() ? "" : " (first: " + result.first_failure + ")");
}

}  // namespace trf::load
