// A process killed in the middle of a batch leaves the database consistent, holding all of the batch or none.
// On SQLite it kills itself from the engine's progress handler; on a server the test kills it once it wrote rows.
#include <signal.h>  // NOLINT(modernize-deprecated-headers): kill is POSIX, declared here and not by <csignal>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include "app/business/business_classes.h"
#include "app/data/sqlite_database.h"
#include "app/data/trf_database.h"
#include "tests/app/test_database.h"

namespace trf::testing {
namespace {

constexpr int kBatchSize = 10000;
constexpr int kSampleResidents = 16;

// Progress callbacks after which the child kills itself: well inside the batch's inserts.
constexpr int kKillAfterCallbacks = 200;

int KillSelfMidway(void* callbacks) {
  if (++*static_cast<int*>(callbacks) == kKillAfterCallbacks) ::kill(::getpid(), SIGKILL);
  return 0;
}

// The name the child's connection carries on the server, for the test to find it.
constexpr const char* kChildName = "trf_crash_test";

// In the child: adds the batch and writes it; on SQLite it dies on the way when `kill` is set.
[[noreturn]] void RunBatch(const std::string& location, bool kill) {
  int callbacks = 0;
  const bool server = !TestServer().empty();
  try {
    auto database = OpenTrfDatabase(server ? location + "&application_name=" + kChildName : location);
    LIResidents residents(database);
    residents.Load(kw::Variant::Long(3));
    for (int i = 0; i < kBatchSize; ++i) {
      residents.AddNew();
      residents.FieldValue(LIResidents::kName, kw::Variant::Text("Resident " + std::to_string(i)));
      residents.FieldValue(LIResidents::kAdmissionDate, kw::Variant::Text("3/1/2004"));
      residents.FieldValue(LIResidents::kMonthlyFee, kw::Variant::Long(2000 + i % 100));
    }
    if (kill && !server)
      sqlite3_progress_handler(static_cast<SqliteDatabase&>(*database).Handle(), 100, KillSelfMidway, &callbacks);
    residents.SaveBatch();
  } catch (...) {
    ::_exit(2);
  }
  ::_exit(0);
}

// On the server: waits until the child's transaction has written rows, then kills the child.
void KillOnceWriting(pid_t child, const std::string& location) {
  auto watcher = OpenTrfDatabase(location);
  auto writing = watcher->Prepare(std::string("SELECT COUNT(*) FROM pg_stat_activity WHERE application_name = '") +
                                  kChildName + "' AND backend_xid IS NOT NULL");
  for (int tries = 0; tries < 30000; ++tries) {
    writing->Reset();
    writing->Step();
    if (writing->Column(0).ToLong() > 0) break;
    ::usleep(1000);
  }
  ::usleep(20000);
  ::kill(child, SIGKILL);
}

// Forks a child that runs the batch; answers its wait status.
int RunChild(const std::string& location, bool kill) {
  const pid_t child = ::fork();
  if (child == 0) RunBatch(location, kill);
  if (kill && !TestServer().empty()) KillOnceWriting(child, location);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

class BatchCrashTest : public ::testing::Test {
 protected:
  BatchCrashTest() {
    std::filesystem::remove(path);
    OpenTrfDatabase(location);  // created with its sample data before any child runs
  }
  ~BatchCrashTest() override {
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path + suffix);
  }

  int32_t ResidentsAfterReopening() {
    auto database = OpenTrfDatabase(location);
    if (TestServer().empty()) {
      EXPECT_EQ(Scalar(*database, "PRAGMA integrity_check"), "ok");
    }
    return std::stoi(Scalar(*database, "SELECT COUNT(*) FROM tbH_Residents"));
  }

  std::string path =
      (std::filesystem::temp_directory_path() / ("trf_crash_test_" + std::to_string(::getpid()) + ".db")).string();
  std::string location = TestDatabaseLocation(path);
};

TEST_F(BatchCrashTest, KilledBatchLeavesAllOrNothing) {
  const int killed = RunChild(location, true);
  ASSERT_TRUE(WIFSIGNALED(killed)) << "the child finished the batch before it was killed";
  EXPECT_EQ(WTERMSIG(killed), SIGKILL);
  EXPECT_EQ(ResidentsAfterReopening(), kSampleResidents);

  const int finished = RunChild(location, false);
  ASSERT_TRUE(WIFEXITED(finished));
  EXPECT_EQ(WEXITSTATUS(finished), 0);
  EXPECT_EQ(ResidentsAfterReopening(), kSampleResidents + kBatchSize);
}

}  // namespace
}  // namespace trf::testing
