// The data-access helpers over the reference application: the query object, HaveActiveTrfs and field values.
#include "app/data/db_query.h"
#include "tests/app/app_world.h"
#include "tests/doubles/raised.h"
#include "ui_shared/contracts/class_ids.h"

namespace trf::testing {
namespace {

using kw::Variant;

// The application over its sample database, with the query object.
struct DataWorld : AppWorld {
  DataWorld() : AppWorld(Screens::kNone) {}
  Database& Db() { return *services.database(); }
  std::shared_ptr<kw::DBQuery> Query(const std::string& sql) {
    auto query = kw::CreateObjectAs<kw::DBQuery>(kw::class_ids::kDBQuery);
    query->OpenSQL(sql);
    return query;
  }
};

TEST(AppDataAccess, DeclaredColumnTypesGiveTheFieldsAndTheStoredValuesTheirTypes) {
  DataWorld w;
  w.Db().Exec(
      "CREATE TABLE t (n VARCHAR(20), s SMALLINT, i INTEGER, d DATETIME, b BOOLEAN, c CURRENCY, r REAL, "
      "g GUID, m MEMO, x BLOB, k BIGINT)");
  w.Db().Exec("INSERT INTO t DEFAULT VALUES");
  const auto nulls = w.Query("SELECT * FROM t");
  const std::pair<const char*, int32_t> rows[] = {
      {"n", kw::adVarWChar},     {"s", kw::adSmallInt},      {"i", kw::adInteger}, {"d", kw::adDate},
      {"b", kw::adBoolean},      {"c", kw::adCurrency},      {"r", kw::adDouble},  {"g", kw::adGUID},
      {"m", kw::adLongVarWChar}, {"x", kw::adLongVarBinary}, {"k", kw::adBigInt},
  };
  for (const auto& [column, type] : rows) {
    const kw::FieldPtr field = nulls->Field(Text(column));
    EXPECT_EQ(std::pair(field->Type(), field->Value().IsNull()), std::pair(type, true)) << column;
  }
  w.Db().Exec("DELETE FROM t; INSERT INTO t (n, s, d, b) VALUES ('abc   ', 12, 38051.5, -1)");
  const auto query = w.Query("SELECT n, s, d, b FROM t");
  EXPECT_EQ(w.shared->GetFieldValue(query->Field(kw::Variant::Long(0))).GetText(), "abc");
  const kw::Variant s = w.shared->GetFieldValue(query->Field(Long(1)));
  EXPECT_EQ(std::pair(s.Type(), s.ToInteger()), std::pair(kw::VarType::Integer, int16_t{12}));
  const kw::Variant d = w.shared->GetFieldValue(query->Field(Text("D")));
  EXPECT_EQ(std::pair(d.Type(), d.ToDate()), std::pair(kw::VarType::Date, 38051.5));
  EXPECT_TRUE(w.shared->GetFieldValue(query->Field(kw::Variant::Long(3))).GetBoolean());
  query->MoveNext();
  EXPECT_TRUE(query->EndOfFile());
  EXPECT_THROW((void)query->Field(kw::Variant::Long(0))->Value(), kw::Error);
  EXPECT_THROW((void)query->Field(kw::Variant::Text("missing")), kw::Error);
}

// HaveActiveTrfs answers from the month records, where only status 1 counts.
TEST(AppDataAccess, TrfColumnsAndActiveTrfsReadAlikeOnEveryEngine) {
  DataWorld w;
  const auto query = w.Query(
      "SELECT H_ResidentsID, H_ResidentName, H_MonthlyFee, H_FamilyGroupsID, COUNT(*) AS n FROM tbH_Residents "
      "WHERE H_ResidentsID = 7 GROUP BY H_ResidentsID, H_ResidentName, H_MonthlyFee, H_FamilyGroupsID");
  const std::pair<const char*, int32_t> rows[] = {{"H_ResidentsID", kw::adInteger},
                                                  {"h_residentname", kw::adVarWChar},
                                                  {"H_MonthlyFee", kw::adDouble},
                                                  {"H_FamilyGroupsID", kw::adInteger},
                                                  {"n", kw::adInteger}};
  for (const auto& [column, type] : rows) EXPECT_EQ(query->Field(kw::Variant::Text(column))->Type(), type) << column;
  EXPECT_EQ(query->Field(kw::Variant::Text("H_ResidentName"))->Value().ToText(), "Nora Pike");
  EXPECT_TRUE(query->Field(kw::Variant::Text("H_FamilyGroupsID"))->Value().IsNull());
  EXPECT_EQ(w.Query("SELECT H_ResidentsID FROM tbH_Residents")->RecordCount(), 16);
  EXPECT_TRUE(w.shared->HaveActiveTrfs());
  w.Db().Exec("UPDATE tbH_HomeMonthlyStats SET StatStatus = 2 WHERE StatStatus = 1");
  EXPECT_FALSE(w.shared->HaveActiveTrfs());
  w.Db().Exec("UPDATE tbH_HomeMonthlyStats SET StatStatus = 1 WHERE H_HomeMonthlyStatsID = 3");
  EXPECT_TRUE(w.shared->HaveActiveTrfs());
  // A transaction rolled back before its queued step was collected leaves no count for the next.
  const auto touch = w.Db().Prepare("UPDATE tbH_Residents SET H_MonthlyFee = H_MonthlyFee WHERE H_ResidentsID = ?");
  for (const bool roll_back : {true, false}) {
    w.Db().Begin();
    touch->Bind(1, kw::Variant::Long(7)).Queue();
    touch->Reset();
    if (roll_back) w.Db().Rollback();
  }
  EXPECT_EQ(w.Db().Collect(), std::vector<int64_t>{1});
  w.Db().Commit();
  w.Db().Exec("ALTER TABLE tbH_HomeMonthlyStats RENAME TO tbGone");
  EXPECT_TRUE(kw::testing::RaisedAt(kw::testing::Raised([&] { (void)w.shared->HaveActiveTrfs(); }), kDatabaseError,
                                    "HaveActiveTrfs", 20));
}

// A row read at once, as a load reads it, holds what its columns read one by one: whole numbers of
// every width (beyond 32 bits as a double), doubles to the last bit, texts and nulls; a column read
// as a date holds the date of its serial.
TEST(AppDataAccess, ARowReadAtOnceHoldsWhatItsColumnsReadOneByOne) {
  DataWorld w;
  w.Db().Exec("CREATE TABLE v (s SMALLINT, i INTEGER, k BIGINT, r DOUBLE PRECISION, t TEXT, d DOUBLE PRECISION)");
  w.Db().Exec(
      "INSERT INTO v VALUES (-7, -123456, 9876543210, 0.1, 'Zo\xc3\xab', 38051.5), (NULL, 1, NULL, NULL, NULL, NULL)");
  const ReadAs reads[] = {ReadAs::kStored, ReadAs::kStored, ReadAs::kStored,
                          ReadAs::kStored, ReadAs::kStored, ReadAs::kDate};
  // Each row as a load reads it; a column read alone gives the same, the date's serial as a double.
  const std::vector<Variant> expected[] = {
      {Long(-7), Long(-123456), Variant::Double(9876543210.0), Variant::Double(0.1), Text("Zo\xc3\xab"),
       Variant::Date(38051.5)},
      {Variant::Null(), Long(1), Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null()},
  };
  const auto same = [](const Variant& a, const Variant& b) {
    return a.Type() == b.Type() && (a.IsNull() || kw::VariantEquals(a, b));
  };
  auto rows = w.Db().Prepare("SELECT s, i, k, r, t, d FROM v ORDER BY i");
  for (const std::vector<Variant>& row : expected) {
    ASSERT_TRUE(rows->Step());
    std::vector<Variant> read;
    rows->AppendRow(reads, read);
    ASSERT_EQ(read.size(), row.size());
    for (size_t column = 0; column < row.size(); ++column) {
      const Variant alone = row[column].IsDate() ? Variant::Double(row[column].ToDouble()) : row[column];
      EXPECT_TRUE(same(read[column], row[column]))
          << "row read at once, column " << column << " of row " << row[1].ToLong();
      EXPECT_TRUE(same(rows->Column(static_cast<int>(column)), alone))
          << "column read alone, column " << column << " of row " << row[1].ToLong();
    }
  }
}

}  // namespace
}  // namespace trf::testing
