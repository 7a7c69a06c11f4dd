// Homes kept apart by the server: two desks, each its own role, granted one home each by the
// administrator (the test server's superuser).
#include <gtest/gtest.h>

#include "app/business/business_classes.h"
#include "app/data/change_record.h"
#include "app/data/home_access.h"
#include "app/data/postgres_database.h"
#include "app/data/transaction.h"
#include "app/data/trf_database.h"
#include "app/data/trf_tables.h"
#include "tests/app/app_world.h"
#include "tests/app/data/desk_roles.h"
#include "tests/app/test_database.h"
#include "tests/doubles/raised.h"

namespace trf::testing {
namespace {

using kw::testing::Raised;

class ServerTrust : public DeskRoles {
 protected:
  static int32_t Count(Database& database, const std::string& sql) { return std::stoi(Scalar(database, sql)); }
};

// A desk reads its own home's rows only, and whatever it writes to another home changes nothing.
TEST_F(ServerTrust, ADeskReadsAndChangesOnlyItsOwnHome) {
  auto maple = DeskOf(maple_desk_);
  LIHomes homes(maple);
  homes.Load();
  ASSERT_EQ(homes.Count(), 1);
  EXPECT_EQ(homes.FieldValueAt(Long(1), tables::kHomes.Position("H_HomeNum")).ToText(), "H-101");
  LIResidents birch_residents(maple);
  birch_residents.Load(Long(4));  // Birch Court's March
  EXPECT_EQ(birch_residents.Count(), 0);
  EXPECT_EQ(Count(*maple, "SELECT COUNT(*) FROM tbH_FamilyGroups WHERE H_HomesID = 2"), 0);

  const std::string refusal = SentenceOf(Raised([&] {
    Run(*maple, "INSERT INTO tbH_Residents (H_HomeMonthlyStatsID, H_ResidentName, H_AdmissionDate) VALUES (4, 'X', 1)");
  }));
  EXPECT_EQ(refusal, "This desk (role " + maple_desk_ +
                         ") may not change the records of that home: the administrator gives each desk the homes it "
                         "works on. Nothing was written.");
  Run(*maple, "UPDATE tbH_Residents SET H_MonthlyFee = 1 WHERE H_HomeMonthlyStatsID = 4");
  EXPECT_EQ(Count(*admin_, "SELECT COUNT(*) FROM tbH_Residents WHERE H_MonthlyFee = 1"), 0);
}

// Revoking a home takes it from the desk at once, in the session it has open (whose statements the
// server keeps planned with the grants they read); granting it again gives it back there, and a month
// the administrator adds to a granted home is there too.
TEST_F(ServerTrust, ARevokedHomeIsGoneAtOnceFromTheDesksOpenSession) {
  auto birch = DeskOf(birch_desk_);
  const auto loaded = [&] {
    LIResidents residents(birch);
    residents.Load(Long(4));  // Birch Court's March, through the statement kept from the last load
    return residents.Count();
  };
  const int32_t march = loaded();
  ASSERT_GT(march, 0);
  // The server plans a kept statement anew on its first five runs, then keeps one plan for good.
  for (int run = 0; run < 6; ++run) ASSERT_EQ(loaded(), march);
  RevokeHome(*admin_, birch_desk_, "H-102");
  EXPECT_EQ(loaded(), 0) << "the kept statement still read the revoked home";
  EXPECT_EQ(Count(*birch, "SELECT COUNT(*) FROM tbH_Homes"), 0);
  EXPECT_EQ(SentenceOf(Raised([&] { RevokeHome(*admin_, birch_desk_, "H-102"); })),
            birch_desk_ + " had no permission for home H-102.");

  GrantHome(*admin_, birch_desk_, "H-102");
  EXPECT_EQ(loaded(), march) << "the home granted again";
  const std::string months_of_birch = "SELECT COUNT(*) FROM tbH_HomeMonthlyStats WHERE H_HomesID = 2";
  const int32_t months = Count(*birch, months_of_birch);
  for (int run = 0; run < 6; ++run) ASSERT_EQ(Count(*birch, months_of_birch), months);
  Run(*admin_,
      "INSERT INTO tbH_HomeMonthlyStats (H_HomesID, H_StatMonth, HU_TrfTypesCD, StatStatus) SELECT 2, 39000, "
      "HU_TrfTypesCD, 1 FROM tbH_HomeMonthlyStats WHERE H_HomeMonthlyStatsID = 4");
  EXPECT_EQ(Count(*birch, months_of_birch), months + 1) << "a month added to a granted home";
}

// The change record names the role, and another home's desk does not read it (HostileDesk shows that
// no desk alters it).
TEST_F(ServerTrust, TheChangeRecordNamesTheRoleAndOnlyItsHomesDesksReadIt) {
  auto maple = DeskOf(maple_desk_);
  Run(*maple, "UPDATE tbH_Residents SET H_MonthlyFee = 2600 WHERE H_ResidentsID = 4");
  const std::vector<Change> changes = ChangesOf(*admin_, tables::kResidents.name, Long(4));
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].who, maple_desk_);
  EXPECT_EQ(ChangesOf(*maple, tables::kResidents.name, Long(4)).size(), 1u);
  EXPECT_EQ(ChangesOf(*DeskOf(birch_desk_), tables::kResidents.name, Long(4)).size(), 0u);
}

// The permissions are the administrator's to grant: a desk grants none and sees its own only (the
// schema's and the permissions' tables refuse it too: HostileDesk).
TEST_F(ServerTrust, OnlyTheAdministratorGrantsHomes) {
  auto maple = DeskOf(maple_desk_);
  EXPECT_EQ(SentenceOf(Raised([&] { GrantHome(*maple, maple_desk_, "H-102"); })),
            "Only the administrator of the TRF database (the role that owns its tables) grants and revokes homes.");
  EXPECT_EQ(Count(*maple, "SELECT COUNT(*) FROM tbS_HomeAccess"), 1) << "a desk sees its own permission only";
  EXPECT_EQ(SentenceOf(Raised([&] { GrantHome(*admin_, "no_such_role", "H-101"); })).substr(0, 36),
            "There is no role no_such_role on the");
}

}  // namespace
}  // namespace trf::testing
