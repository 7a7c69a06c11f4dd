// What only a database server shared by many desks has to show: its keys and a lost connection (a
// missing server: ConnectionText).
#include "app/business/business_classes.h"
#include "app/business/rule_numbers.h"
#include "app/data/trf_database.h"
#include "tests/app/app_world.h"
#include "tests/app/test_database.h"
#include "tests/doubles/raised.h"

namespace trf::testing {
namespace {

using kw::testing::Raised;

class ServerEngine : public ServerTest {};

// A new resident of March at Maple House, named `name`, in `residents`.
void AddResident(LIResidents& residents, const std::string& name) {
  residents.AddNew();
  residents.FieldValue(LIResidents::kName, Text(name.c_str()));
  residents.FieldValue(LIResidents::kAdmissionDate, Text("3/1/2004"));
}

TEST_F(ServerEngine, TwoDesksAddingAtOnceTakeDifferentKeys) {
  const std::string location = TestDatabaseLocation("");
  auto first_desk = OpenTrfDatabase(location);
  auto second_desk = OpenTrfDatabase(location);
  LIResidents first(first_desk), second(second_desk);
  first.Load(Long(3));
  second.Load(Long(3));
  AddResident(first, "First desk's resident");
  AddResident(second, "Second desk's resident");
  const kw::Variant first_key = first.FieldValueAt(Long(first.Count()), 1);
  const kw::Variant second_key = second.FieldValueAt(Long(second.Count()), 1);
  EXPECT_NE(first_key.ToLong(), second_key.ToLong());
  first.SaveBatch();
  second.SaveBatch();
  auto count = first_desk->Prepare("SELECT COUNT(*) FROM tbH_Residents WHERE H_ResidentsID IN (?, ?)");
  count->Bind(1, first_key).Bind(2, second_key).Step();
  EXPECT_EQ(count->Column(0).ToLong(), 2);
}

// The server ends the connection after the 40th insert; saved again, the batch connects anew and is stored whole.
TEST_F(ServerEngine, ConnectionLostMidBatchRollsBackAndKeepsTheEdits) {
  const std::string location = TestDatabaseLocation("");
  auto desk = OpenTrfDatabase(location);
  desk->Exec(
      "CREATE FUNCTION end_connection() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
      "IF (SELECT COUNT(*) FROM tbH_Residents) >= 16 + 40 THEN PERFORM pg_terminate_backend(pg_backend_pid()); END IF; "
      "RETURN NEW; END $$; "
      "CREATE TRIGGER ends_connection AFTER INSERT ON tbH_Residents FOR EACH ROW EXECUTE FUNCTION end_connection()");
  LIResidents residents(desk);
  residents.Load(Long(3));
  for (int i = 0; i < 50; ++i) {
    AddResident(residents, "Batch resident " + std::to_string(i));
  }

  const kw::Error lost = Raised([&] { residents.SaveBatch(); });
  EXPECT_EQ(lost.Number(), rule_numbers::kServerUnreachable);
  EXPECT_TRUE(SentenceOf(lost).starts_with("The database server could not be reached")) << lost.Description();
  EXPECT_EQ(residents.PendingChanges(), 50);

  auto other_desk = OpenTrfDatabase(location);
  other_desk->Exec("DROP TRIGGER ends_connection ON tbH_Residents");
  const std::string count = "SELECT COUNT(*) FROM tbH_Residents";
  EXPECT_EQ(Scalar(*other_desk, count), "16");
  residents.SaveBatch();
  EXPECT_EQ(residents.PendingChanges(), 0);
  EXPECT_EQ(Scalar(*other_desk, count), "66");
}

}  // namespace
}  // namespace trf::testing
