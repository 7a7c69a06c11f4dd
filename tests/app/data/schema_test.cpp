// Described tables on either engine: an older stored schema is upgraded and keeps its rows, a newer one is refused.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/data/postgres_database.h"
#include "app/data/schema.h"
#include "app/data/sqlite_database.h"
#include "app/data/trf_database.h"
#include "app/terminal/temp_folder.h"
#include "tests/app/test_database.h"
#include "tests/doubles/raised.h"

namespace trf::testing {
namespace {

// A small schema in two versions: the second adds a column to the pets and a table of toys.
constexpr ColumnDescription kPetsV1[] = {
    {.name = "T_PetsID", .kind = ColumnKind::kWholeNumber, .caption = "Pet", .key = true, .counted = true},
    {.name = "T_Name", .caption = "Name", .required = true},
};
constexpr ColumnDescription kPetsV2[] = {
    kPetsV1[0],
    kPetsV1[1],
    {.name = "T_Born", .kind = ColumnKind::kDate, .caption = "Born", .since = 2},
};
constexpr ColumnDescription kToys[] = {
    {.name = "T_ToysID", .kind = ColumnKind::kWholeNumber, .caption = "Toy", .key = true, .counted = true},
    {.name = "T_PetsID",
     .kind = ColumnKind::kLookup,
     .caption = "Pet",
     .required = true,
     .indexed = true,
     .lookup = {.table = "tbT_Pets", .name_column = "T_Name"}},
};
constexpr TableDescription kVersion1[] = {{.name = "tbT_Pets", .plural = "pets", .columns = kPetsV1}};
constexpr TableDescription kVersion2[] = {{.name = "tbT_Pets", .plural = "pets", .columns = kPetsV2},
                                          {.name = "tbT_Toys", .plural = "toys", .columns = kToys, .since = 2}};

TEST(SchemaTest, OlderStoredTablesAreUpgradedAndKeepTheirRows) {
  const bool server = !TestServer().empty();
  const Dialect dialect = server ? Dialect::kPostgres : Dialect::kSqlite;
  const std::unique_ptr<Database> database =
      server ? std::unique_ptr<Database>(std::make_unique<PostgresDatabase>(TestDatabaseLocation("")))
             : std::make_unique<SqliteDatabase>(":memory:");
  CreateSchema(*database, kVersion1, dialect);
  database->Exec("INSERT INTO tbT_Pets (T_Name) VALUES ('Rex')");
  EXPECT_EQ(StoredSchemaVersion(*database, dialect), 1);

  UpgradeSchema(*database, kVersion2, dialect);
  EXPECT_EQ(StoredSchemaVersion(*database, dialect), 2);
  EXPECT_EQ(Scalar(*database, "SELECT T_Name || ':' || COALESCE(T_Born, 0) FROM tbT_Pets"), "Rex:0");
  database->Exec("INSERT INTO tbT_Toys (T_PetsID) VALUES (1)");
  EXPECT_EQ(Scalar(*database, "SELECT COUNT(*) FROM tbT_Toys WHERE RowVersion = 1"), "1");
  EXPECT_THROW(database->Exec("INSERT INTO tbT_Toys (T_PetsID) VALUES (7)"), kw::Error);  // no pet 7
  UpgradeSchema(*database, kVersion2, dialect);                                           // nothing left to do
  EXPECT_EQ(Scalar(*database, "SELECT COUNT(*) FROM tbT_Pets"), "1");
}

// A log that a first version kept as any table, and a second keeps as rows only ever added.
constexpr ColumnDescription kLog[] = {
    {.name = "T_LogID", .kind = ColumnKind::kWholeNumber, .caption = "Entry", .key = true, .counted = true},
    {.name = "T_Said", .caption = "Said", .required = true, .indexed = true},
};
constexpr TableDescription kLogAsAnyTable[] = {{.name = "tbT_Log", .plural = "entries", .columns = kLog}};
constexpr TableDescription kLogAppendOnly[] = {
    {.name = "tbT_Log", .plural = "entries", .columns = kLog, .append_only = true}};

// On a server an append-only table keeps no index on its key, and its counter alone numbers the
// rows; a table made before with such an index loses it on upgrade and keeps its rows and its count.
TEST(SchemaTest, AnAppendOnlyTableOnAServerIsNumberedByItsCounterAlone) {
  if (TestServer().empty()) GTEST_SKIP() << "on SQLite a counted key is the row's own number, without an index";
  PostgresDatabase database(TestDatabaseLocation(""));
  CreateSchema(database, kLogAsAnyTable, Dialect::kPostgres);
  database.Exec("INSERT INTO tbT_Log (T_Said) VALUES ('first')");
  const std::string key_index =
      "SELECT COUNT(*) FROM pg_indexes WHERE tablename = 'tbt_log' AND indexdef LIKE '%t_logid%'";
  ASSERT_EQ(Scalar(database, key_index), "1");

  UpgradeSchema(database, kLogAppendOnly, Dialect::kPostgres);
  EXPECT_EQ(Scalar(database, key_index), "0");
  database.Exec("INSERT INTO tbT_Log (T_Said) VALUES ('second')");
  EXPECT_EQ(Scalar(database, "SELECT string_agg(T_LogID || ' ' || T_Said, ', ' ORDER BY T_LogID) FROM tbT_Log"),
            "1 first, 2 second");
  EXPECT_THROW(database.Exec("INSERT INTO tbT_Log (T_LogID, T_Said) VALUES (2, 'a number of my own')"), kw::Error);
}

TEST(SchemaTest, NewerStoredSchemaIsRefusedAndLeftUntouched) {
  TempFolder folder;
  const std::string file = (folder.Path() / "newer.db").string();
  const std::string location = TestDatabaseLocation(file);
  OpenTrfDatabase(location)->Exec("UPDATE tbS_SchemaVersion SET S_Version = 99");
  const std::string before = FileBytes(file);
  const kw::Error refused = kw::testing::Raised([&] { OpenTrfDatabase(location); });
  EXPECT_THAT(refused.Description(), ::testing::HasSubstr("holds TRF data of a newer version (schema 99"));
  EXPECT_EQ(FileBytes(file), before);
}

}  // namespace
}  // namespace trf::testing
