// The life of records in the reference business objects, from adding to saving, filtering and names.
#include "app/business/business_classes.h"
#include "app/data/class_numbers.h"
#include "tests/app/app_world.h"
#include "tests/doubles/raised.h"

namespace trf::testing {
namespace {

using kw::Variant;
using kw::testing::Described;
using kw::testing::Raised;

class BusinessObjectTest : public ServicesTest {
 protected:
  BusinessObjectTest() { residents->Load(Long(3)); }
  std::shared_ptr<LIResidents> residents = std::make_shared<LIResidents>(database);
};

TEST_F(BusinessObjectTest, AddNewGivesAKeyAtOnceAndCancelEditUndoes) {
  residents->AddNew();
  EXPECT_EQ(StateText(*residents), "count=7 current=7 key=17 new dirty pending=1");  // the largest key was 16
  EXPECT_TRUE(residents->Exists("17"));
  residents->CancelEdit();
  EXPECT_EQ(StateText(*residents), "count=6 current=-3 pending=0");
  EXPECT_FALSE(residents->Exists("17"));
  residents->CurrentIndex(Long(-3));
  EXPECT_EQ(residents->CurrentIndex().ToLong(), 6);
  residents->CurrentIndex(Long(2));
  residents->FieldValue(LIResidents::kName, Text("Benjamin Okafor"));
  EXPECT_EQ(StateText(*residents), "count=6 current=2 key=5 dirty pending=1");
  EXPECT_FALSE(residents->IsDirty(Long(1)));
  residents->CancelEdit();
  EXPECT_EQ(StateText(*residents), "count=6 current=2 key=5 pending=0");
  EXPECT_EQ(residents->FieldValueAt(Long(-1), LIResidents::kName).ToText(), "Ben Okafor");
}

// After a saved deletion CurrentIndex reads -3 until it is settled on the record now at that position.
TEST_F(BusinessObjectTest, ImmediateSaveAndDeleteReachTheDatabase) {
  LIHomes homes(database);
  homes.Load();
  homes.AddNew();
  homes.FieldValue(3, Text("H-104"));
  homes.FieldValue(4, Text("Aspen Hall"));
  homes.FieldValue(LIHomes::kCapacity, Text("10"));
  ASSERT_TRUE(homes.Save(false));
  EXPECT_EQ(StateText(homes), "count=4 current=4 key=4 pending=0");
  EXPECT_EQ(world.Count("SELECT H_Capacity FROM tbH_Homes WHERE H_HomeName = 'Aspen Hall'"), 10);

  homes.CurrentIndex(Text("4"));
  homes.Delete();
  EXPECT_EQ(StateText(homes), "count=4 current=4 key=4 dirty pending=1");
  EXPECT_EQ(world.Count("SELECT COUNT(*) FROM tbH_Homes"), 4);
  homes.CancelEdit();
  EXPECT_EQ(StateText(homes), "count=4 current=4 key=4 pending=0");
  homes.CurrentIndex(Text("4"));
  homes.Delete();
  ASSERT_TRUE(homes.Save(true));
  EXPECT_EQ(world.Count("SELECT COUNT(*) FROM tbH_Homes"), 3);
  EXPECT_EQ(StateText(homes), "count=3 current=-3 pending=0");
  homes.CurrentIndex(Long(-3));
  EXPECT_EQ(StateText(homes), "count=3 current=3 key=3 pending=0");
}

// A saved delete and a cancelled new record close up the later positions; the keys and filters still hold.
TEST_F(BusinessObjectTest, RemovalsKeepTheOtherRecordsAtTheirKeysAndPositions) {
  residents->Load();
  std::vector<std::string> keys;
  for (int32_t position = 1; position <= residents->Count(); ++position)
    keys.push_back(kw::StrOf(residents->FieldValueAt(Long(position), 1)).substr(1));
  for (const int32_t position : {3, 1, 12}) {
    residents->CurrentIndex(Long(position));
    residents->Delete();
    EXPECT_TRUE(residents->Save(true));
    keys.erase(keys.begin() + (position - 1));
  }
  residents->AddNew();
  residents->CancelEdit();
  ASSERT_EQ(residents->Count(), static_cast<int32_t>(keys.size()));
  for (size_t i = 0; i < keys.size(); ++i) {
    residents->CurrentIndex(Text(keys[i].c_str()));
    EXPECT_EQ(residents->CurrentIndex().ToLong(), static_cast<int32_t>(i + 1)) << keys[i];
  }
  int32_t of_parent_5 = 0;
  for (int32_t position = 1; position <= residents->Count(); ++position)
    of_parent_5 += residents->FieldValueAt(Long(position), 2).ToLong() == 5 ? 1 : 0;
  residents->Filter(Text("5"));
  EXPECT_EQ(residents->Count(), of_parent_5);
  residents->Filter(Long(0));
  EXPECT_EQ(residents->Count(), static_cast<int32_t>(keys.size()));
  EXPECT_EQ(residents->PendingChanges(), 3);
}

TEST_F(BusinessObjectTest, FilterShowsTheRecordsOfOneParent) {
  residents->Load();
  EXPECT_EQ(residents->Count(), 16);
  residents->Filter(Text("5"));
  EXPECT_EQ(residents->Count(), 5);
  EXPECT_FALSE(residents->Exists("4"));
  EXPECT_EQ(Described(Raised([&] { residents->FieldValueAt(Text("4"), 1); })),
            std::to_string(kw::err::kSubscript) + " KW_I.LIResidents: No record with the key \"4\" is held.");
  residents->AddNew();
  EXPECT_EQ(residents->FieldValueAt(Long(-1), 2).ToLong(), 5);
  residents->Filter(Long(0));
  EXPECT_EQ(StateText(*residents), "count=17 current=1 key=1 pending=1");
}

TEST_F(BusinessObjectTest, MembersAreReachedByNameAndAddressesOutsideRaiseClearErrors) {
  EXPECT_EQ(residents->Get("Count").ToLong(), 6);
  residents->Let("Index", Variant::Integer(3));
  EXPECT_EQ(residents->Get("index").ToLong(), 3);
  EXPECT_EQ(residents->Get("H_ResidentName").ToText(), "Clara Lindqvist");
  EXPECT_EQ(residents->Get("H_ResidentsID").ToLong(), 6);
  residents->Let("H_MonthlyFee", Text("2600"));
  EXPECT_EQ(residents->FieldValueAt(Long(3), LIResidents::kMonthlyFee).ToDouble(), 2600);
  EXPECT_THROW(residents->Get("NoSuchProperty"), kw::Error);
  const std::pair<Variant, const char*> rows[] = {{Long(0), "No record at position 0; the object holds 6."},
                                                  {Long(7), "No record at position 7; the object holds 6."},
                                                  {Text("99"), "No record with the key \"99\" is held."},
                                                  {Text("abc"), "No record with the key \"abc\" is held."}};
  for (const auto& row : rows) {
    EXPECT_EQ(Described(Raised([&] { residents->FieldValueAt(row.first, 1); })),
              std::to_string(kw::err::kSubscript) + " KW_I.LIResidents: " + row.second);
  }
}

// A key given as text is found whatever number of digits spells it and with blanks around it;
// a text with anything else in it finds nothing, even where a careless reading would make a held key of it.
TEST_F(BusinessObjectTest, KeysGivenAsTextAreFoundInEachFormAndOnlyThen) {
  for (int added = 0; added < 4; ++added) residents->AddNew();  // keys 17 to 20
  struct Row {
    const char* text;
    bool found;
  };
  const Row rows[] = {
      {"20", true},
      {"00000020", true},
      {"000000020", true},
      {"000000000000020", true},
      {"0000000000000020", true},
      {" 20 ", true},
      {"1:", false},
      {"x00000020", false},
      {"2 0", false},
      {"20x", false},
      {"", false},
  };
  for (const Row& row : rows) EXPECT_EQ(residents->Exists(row.text), row.found) << "key text \"" << row.text << "\"";
}

// A month of hundreds of residents is held whole, its values kept in blocks of many records: every
// record reads as stored, and one edited and undone leaves the others as they were read.
TEST_F(BusinessObjectTest, AMonthOfManyRecordsIsHeldWholeAndItsRecordsEditedOneByOne) {
  database->Exec(
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 600) "
      "INSERT INTO tbH_Residents (H_HomeMonthlyStatsID, H_ResidentName, H_AdmissionDate) "
      "SELECT 3, 'Resident ' || i, 38000 + i FROM n");
  residents->Load(Long(3));
  ASSERT_EQ(residents->Count(), 606);  // the six of the sample first
  struct Row {
    int32_t position;
    const char* name;
    double admission;
  };
  const Row rows[] = {{7, "Resident 1", 38001}, {300, "Resident 294", 38294}, {606, "Resident 600", 38600}};
  for (const Row& row : rows) {
    EXPECT_EQ(residents->FieldValueAt(Long(row.position), LIResidents::kName).ToText(), row.name)
        << "name at position " << row.position;
    EXPECT_EQ(residents->FieldValueAt(Long(row.position), LIResidents::kAdmissionDate).ToDate(), row.admission)
        << "admission at position " << row.position;
  }
  residents->CurrentIndex(Long(7));
  residents->FieldValue(LIResidents::kName, Text("Renamed"));
  residents->CurrentIndex(Long(606));
  residents->FieldValue(LIResidents::kName, Text("Also renamed"));
  residents->CancelEdit();
  EXPECT_EQ(residents->FieldValueAt(Long(606), LIResidents::kName).ToText(), "Resident 600");
  EXPECT_EQ(residents->FieldValueAt(Long(7), LIResidents::kName).ToText(), "Renamed");
  EXPECT_EQ(residents->FieldValueAt(Long(300), LIResidents::kName).ToText(), "Resident 294");
  residents->AddNew();
  EXPECT_EQ(residents->Count(), 607);
  residents->Load(Long(3));  // what was not saved is gone
  EXPECT_EQ(residents->FieldValueAt(Long(7), LIResidents::kName).ToText(), "Resident 1");
  EXPECT_EQ(residents->Count(), 606);
}

// A lookup record still in use is not removed, and the refusal names it, with what still refers to it.
TEST_F(BusinessObjectTest, RefusingToRemoveALookupStillInUseNamesIt) {
  struct Row {
    const char* what;
    ClassSpec spec;
    const char* key;
    const char* sentence;
  };
  const Row rows[] = {
      {"an expense category",
       ClassSpec{.class_enum = classes::kExpenseCategories,
                 .class_name = "LIExpenseCategories",
                 .table = &tables::kExpenseCategories},
       "1", "Category 1 \"Food\" cannot be removed: 1 monthly expenses still refer to it."},
      {"a home", ClassSpec{.class_enum = classes::kHomes, .class_name = "LIHomes", .table = &tables::kHomes}, "3",
       "Home 3 \"H-103\" cannot be removed:"},
  };
  for (const Row& row : rows) {
    TableBusinessObject lookup(database, row.spec);
    lookup.Load();
    lookup.CurrentIndex(Text(row.key));
    const kw::Error refusal = Raised([&] { lookup.Delete(); });
    EXPECT_EQ(refusal.Number(), rule_numbers::kStillReferred) << row.what;
    EXPECT_NE(refusal.Description().find(row.sentence), std::string::npos) << row.what << ": " << refusal.Description();
    EXPECT_FALSE(lookup.IsDirty()) << row.what << " is not marked for removal";
  }
}

}  // namespace
}  // namespace trf::testing
