// The region's replica on two throwaway clusters of its own: a month filed on the primary reaches
// the replica within the stated time, nothing of an active month does, and a month reopened leaves it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <thread>

#include "app/data/month_filing.h"
#include "app/data/postgres_database.h"
#include "app/data/transaction.h"
#include "app/data/trf_database.h"
#include "app/region/region_replica.h"

namespace trf::region {
namespace {

// How long a filed month may take to reach the replica.
constexpr std::chrono::seconds kStatedTime{10};

// Two throwaway clusters of the test's own, started and stopped side by side: a primary that
// publishes (its write-ahead log logical) and a replica.
class TwoClusters {
 public:
  TwoClusters() {
    std::thread replica([this] { replica_started_ = Run("start", replica_, ""); });
    primary_started_ = Run("start", primary_, "-c wal_level=logical");
    replica.join();
  }
  ~TwoClusters() {
    std::thread replica([this] { Run("stop", replica_, ""); });
    Run("stop", primary_, "");
    replica.join();
  }
  TwoClusters(const TwoClusters&) = delete;
  TwoClusters& operator=(const TwoClusters&) = delete;

  bool Started() const { return primary_started_ && replica_started_; }
  std::string PrimaryUri() const { return Uri(primary_); }
  std::string ReplicaUri() const { return Uri(replica_); }
  // The primary as the replica's subscription connects to it.
  std::string PrimaryConninfo() const { return "host=" + primary_ + " dbname=postgres user=trf"; }

 private:
  static std::string Uri(const std::string& folder) { return "postgresql:///postgres?host=" + folder + "&user=trf"; }
  static bool Run(const std::string& action, const std::string& folder, const std::string& settings) {
    return std::system(("PG_TEST_CLUSTER_SETTINGS='" + settings + "' " + PG_TEST_CLUSTER + " " + action + " " + folder +
                        " >/dev/null")
                           .c_str()) == 0;
  }

  const std::string primary_ = "/tmp/trf-pg-primary-" + std::to_string(::getpid());
  const std::string replica_ = "/tmp/trf-pg-replica-" + std::to_string(::getpid());
  bool primary_started_ = false;
  bool replica_started_ = false;
};

// The first column of the first row `sql` answers on `database`, as text ("(no row)" when none).
std::string Scalar(Database& database, const std::string& sql) {
  auto query = database.Prepare(sql);
  return query->Step() ? query->Column(0).ToText() : "(no row)";
}

// How long it took until `holds` held, asking every 10 ms; kStatedTime and more when it never did.
std::chrono::milliseconds Until(const std::function<bool()>& holds) {
  const auto started = std::chrono::steady_clock::now();
  while (!holds() && std::chrono::steady_clock::now() - started <= kStatedTime) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
}

TEST(RegionReplica, AFiledMonthReachesTheReplicaAndNothingOfAnActiveMonthDoes) {
  const TwoClusters clusters;
  ASSERT_TRUE(clusters.Started());
  auto primary = OpenTrfDatabase(clusters.PrimaryUri());  // the sample: March of H-101 and H-102 active
  primary->Exec(PublicationSql());
  PostgresDatabase replica(clusters.ReplicaUri());
  replica.Exec(ReplicaTablesSql());
  replica.Exec(SubscriptionSql(clusters.PrimaryConninfo()));
  // The published rows are copied first, each table by a worker of its own.
  ASSERT_LT(
      Until([&] { return Scalar(replica, "SELECT COUNT(*) FROM pg_subscription_rel WHERE srsubstate <> 'r'") == "0"; }),
      kStatedTime);
  EXPECT_EQ(Scalar(replica, "SELECT COUNT(*) FROM tbH_Homes"), "3");

  {  // Birch Court's active March changes; then Maple House's March is filed.
    Transaction transaction(*primary);
    primary->Exec("UPDATE tbH_Residents SET H_MonthlyFee = 2999 WHERE H_HomeMonthlyStatsID = 4");
    transaction.Commit();
  }
  {
    Transaction transaction(*primary);
    SetMonthStatus(*primary, 3, 2);
    FileMonth(*primary, 3, "{\"month\":\"2004-03\"}");
    transaction.Commit();
  }
  const std::chrono::milliseconds took = Until(
      [&] { return Scalar(replica, "SELECT COUNT(*) FROM tbH_MonthFilings WHERE H_HomeMonthlyStatsID = 3") == "1"; });
  EXPECT_LT(took, kStatedTime);
  std::cout << "the filed month reached the replica in " << took.count() << " ms\n";
  EXPECT_EQ(Scalar(replica, "SELECT H_Report FROM tbH_MonthFilings WHERE H_HomeMonthlyStatsID = 3"),
            "{\"month\":\"2004-03\"}");
  EXPECT_EQ(Scalar(replica, "SELECT S_Digest FROM tbS_ChainHeads WHERE S_HomesID = 1"),
            Scalar(*primary, "SELECT S_Digest FROM tbS_ChainHeads WHERE S_HomesID = 1"));
  // The active month of Birch Court is not there, nor its residents, nor the change record.
  EXPECT_EQ(Scalar(replica, "SELECT COUNT(*) FROM tbH_HomeMonthlyStats WHERE H_HomeMonthlyStatsID = 4"), "0");
  EXPECT_EQ(Scalar(replica, "SELECT to_regclass('tbh_residents') IS NULL AND to_regclass('tbs_changerecord') IS NULL"),
            "True");

  {  // Reopened, the month is active again: it leaves the replica with its filing.
    Transaction transaction(*primary);
    ReopenMonth(*primary, 3, "a fee was wrong");
    SetMonthStatus(*primary, 3, 1);
    transaction.Commit();
  }
  EXPECT_LT(Until([&] {
              return Scalar(replica, "SELECT COUNT(*) FROM tbH_MonthFilings") == "0" &&
                     Scalar(replica, "SELECT COUNT(*) FROM tbH_HomeMonthlyStats WHERE H_HomeMonthlyStatsID = 3") == "0";
            }),
            kStatedTime);
  replica.Exec(std::string("DROP SUBSCRIPTION ") + kRegionPublication);
}

}  // namespace
}  // namespace trf::region
