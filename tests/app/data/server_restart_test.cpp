// A database server that stops and starts again under a desk: while it is down a save is refused in
// words and the edits stay; once it answers again the desk connects anew by itself.
#include <cstdlib>

#include "app/business/business_classes.h"
#include "app/business/rule_numbers.h"
#include "app/data/trf_database.h"
#include "tests/app/test_database.h"
#include "tests/doubles/raised.h"

namespace trf::testing {
namespace {

using kw::Variant;
using kw::testing::Raised;

// Runs on a cluster of its own (TRF_TEST_PG_CLUSTER is "TOOL FOLDER"), which it stops and starts;
// the shared cluster's tests never see it go.
class ServerRestart : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(TestServer().empty() || cluster_.empty())
        << "these tests run on the cluster that `ctest -L postgresql` starts for them";
    location_ = TestDatabaseLocation("");
    desk_ = OpenTrfDatabase(location_);
  }
  void TearDown() override {
    if (down_) Server("up");
  }
  // Runs `action` ("up", or "down" with its mode) of the cluster tool on the tests' folder.
  void Server(const std::string& action, const std::string& mode = "") {
    const size_t folder = cluster_.rfind(' ');
    const std::string command =
        cluster_.substr(0, folder) + " " + action + cluster_.substr(folder) + " " + mode + " >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    down_ = action == "down";
  }
  // The count `sql` answers, read by another desk.
  std::string Count(const std::string& sql) { return Scalar(*OpenTrfDatabase(location_), sql); }

  std::string cluster_ = [] {
    const char* tool = std::getenv("TRF_TEST_PG_CLUSTER");
    return std::string(tool ? tool : "");
  }();
  bool down_ = false;
  std::string location_;
  std::shared_ptr<Database> desk_;
};

// A batch with a new resident and a changed fee, saved while the server is down and again once it is back.
TEST_F(ServerRestart, SaveWhileTheServerIsDownIsRefusedAndStoredOnceItIsBack) {
  LIResidents residents(desk_);
  residents.Load(Variant::Long(3));
  residents.AddNew();
  residents.FieldValue(LIResidents::kName, Variant::Text("Ada Quayle"));
  residents.FieldValue(LIResidents::kAdmissionDate, Variant::Text("3/1/2004"));
  ASSERT_TRUE(residents.Save(true));
  residents.CurrentIndex(Variant::Long(2));
  residents.FieldValue(LIResidents::kMonthlyFee, Variant::Double(2411));
  ASSERT_TRUE(residents.Save(true));

  Server("down", "immediate");
  const kw::Error refused = Raised([&] { residents.SaveBatch(); });
  EXPECT_EQ(refused.Number(), rule_numbers::kServerUnreachable) << refused.Description();
  EXPECT_EQ(SentenceOf(refused),
            "The database server could not be reached, so nothing was saved; your edits are still here: save "
            "again once the server is back.");
  EXPECT_EQ(residents.PendingChanges(), 2);

  Server("up");
  residents.SaveBatch();
  EXPECT_EQ(residents.PendingChanges(), 0);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM tbH_Residents WHERE H_ResidentName = 'Ada Quayle'"), "1");
  EXPECT_EQ(Count("SELECT COUNT(*) FROM tbH_Residents WHERE H_MonthlyFee = 2411"), "1");
}

// With the server back before anything is asked, reads and a save go through on the first try,
// whether it ended the sessions with a word to each or dropped them at once.
TEST_F(ServerRestart, ReadsAndSavesAfterARestartConnectAnewByThemselves) {
  auto homes = desk_->Prepare("SELECT COUNT(*) FROM tbH_Homes");
  Server("down", "immediate");
  Server("up");

  ASSERT_TRUE(homes->Step()) << "a statement prepared before the restart";
  EXPECT_EQ(homes->Column(0).ToLong(), 3);
  LIFamilyGroups groups(desk_);
  groups.Load();
  ASSERT_GE(groups.Count(), 2);
  Server("down", "fast");
  Server("up");
  groups.CurrentIndex(Variant::Long(2));
  groups.FieldValue(LIFamilyGroups::kMailingAddress, Variant::Text("9 Quay Street"));
  EXPECT_TRUE(groups.Save(false));
  EXPECT_EQ(Count("SELECT COUNT(*) FROM tbH_FamilyGroups WHERE H_MailingAddress = '9 Quay Street'"), "1");
}

}  // namespace
}  // namespace trf::testing
