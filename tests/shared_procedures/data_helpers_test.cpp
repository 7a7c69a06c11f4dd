// Data-access helpers: field defaults, the right-join text, the active-TRF question, the update file.
#include <unistd.h>
#include "tests/doubles/library_test.h"

#include <filesystem>
#include <fstream>

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/directory.h"

namespace kw {
namespace {

// A field that holds one value of one ADO type.
struct FixedField : DBField {
  FixedField(Variant v, int32_t t) : value(std::move(v)), type(t) {}
  std::string TypeName() const override { return "Field"; }
  Variant Value() override { return value; }
  int32_t Type() override { return type; }
  Variant value;
  int32_t type;
};

FieldPtr FieldOf(Variant value, int32_t type) { return std::make_shared<FixedField>(std::move(value), type); }

// Types without their own default read as a 16-bit 0; texts lose their trailing blanks only.
TEST(GetFieldValue, NullAndEmptyFieldsGiveTheirTypesDefaultValuesPassTrimmed) {
  LibraryHarness h;
  const std::pair<int32_t, VarType> rows[] = {
      {adSmallInt, VarType::Integer},    {adInteger, VarType::Long},      {adSingle, VarType::Single},
      {adDouble, VarType::Double},       {adCurrency, VarType::Currency}, {adDate, VarType::Date},
      {adBoolean, VarType::Boolean},     {adDecimal, VarType::Decimal},   {adUnsignedTinyInt, VarType::Byte},
      {adGUID, VarType::String},         {adChar, VarType::String},       {adVarChar, VarType::String},
      {adLongVarChar, VarType::String},  {adVarWChar, VarType::String},   {adLongVarWChar, VarType::String},
      {adLongVarBinary, VarType::Array}, {adTinyInt, VarType::Integer},   {adBigInt, VarType::Integer},
      {adNumeric, VarType::Integer},     {adWChar, VarType::Integer},     {adDBDate, VarType::Integer},
      {adDBTimeStamp, VarType::Integer}, {adVarBinary, VarType::Integer},
  };
  for (const auto& [type, kind] : rows) {
    for (const Variant& missing : {Variant::Null(), Variant()}) {
      const Variant v = h.shared->GetFieldValue(FieldOf(missing, type));
      EXPECT_EQ(v.Type(), kind) << "type " << type;
      const bool filled = v.IsText()    ? !v.GetText().empty()
                          : v.IsArray() ? v.GetArray()->ElementCount() != 0
                                        : DiffersFromZero(v);
      EXPECT_FALSE(filled) << "type " << type;
    }
  }
  EXPECT_EQ(h.shared->GetFieldValue(FieldOf(Variant::Text("  abc   "), adVarWChar)).GetText(), "  abc");
  EXPECT_EQ(h.shared->GetFieldValue(FieldOf(Variant::Text("a\t "), adChar)).GetText(), "a\t");
  const Variant n = h.shared->GetFieldValue(FieldOf(Variant::Long(7), adSmallInt));
  EXPECT_EQ(n.Type(), VarType::Long);
  EXPECT_EQ(n.ToLong(), 7);
  EXPECT_EQ(h.shared->GetFieldValue(FieldOf(Variant::Text(""), adInteger)).GetText(), "");
}

// " FROM " in another case or after a line break is not found (0x80040001); past 32767 it overflows.
TEST(SQLAddRightJoin, BuildsTheJoinTextOrRaisesTheComponentError) {
  LibraryHarness h;
  EXPECT_EQ(h.shared->SQLAddRightJoin("SELECT a.x FROM tbA a INNER JOIN tbC c ON a.k = c.k", ", b.y", "tbB b",
                                      "ON b.k = a.k WHERE b.z = 1", "Src"),
            "SELECT a.x , b.y FROM tbB b RIGHT JOIN (tbA a INNER JOIN tbC c ON a.k = c.k) ON b.k = a.k WHERE b.z = 1");
  EXPECT_EQ(h.shared->SQLAddRightJoin("SELECT ä FROM t", "", "u", "ON 1=1", ""),
            "SELECT ä  FROM u RIGHT JOIN (t) ON 1=1");
  // A stray continuation byte after " FROM " is a character of its own and stays.
  EXPECT_EQ(h.shared->SQLAddRightJoin("S FROM \x80", "", "u", "", ""), "S  FROM u RIGHT JOIN (\x80) ");
  const std::string description = "\" FROM \" not found in strPrimarySQLStatmentArg";
  for (const char* primary : {"SELECT a from tbA", "SELECT a\r\nFROM tbA", "SELECT a FROMtbA"}) {
    EXPECT_EQ(Described(Raised(
                  [&] { (void)h.shared->SQLAddRightJoin(primary, ", b", "tbB", "ON 1=1", "frmHomes.Refresh"); })),
              "-2147221503 frmHomes.Refresh: KW_UIShared.SharedProcedures.SQLAddRightJoin:20\r\n" + description)
        << primary;
  }
  EXPECT_EQ(Raised([&] {
              (void)h.shared->SQLAddRightJoin("SELECT " + std::string(32760, 'x') + " FROM t", "", "u", "", "S");
            }).Number(),
            err::kOverflow);
}

// A query double that logs its statements and answers a set record count.
struct CountingQuery : DBQuery {
  CountingQuery(std::shared_ptr<testing::CallLog> l, int32_t c) : log(std::move(l)), count(c) {}
  std::string TypeName() const override { return "DBQuery"; }
  void OpenSQL(const std::string& sql) override { log->Record("Query.OpenSQL(" + testing::Show(sql) + ")"); }
  int32_t RecordCount() override { return count; }
  std::shared_ptr<testing::CallLog> log;
  int32_t count;
};

// A new query each time: one row or more means an active TRF.
TEST(HaveActiveTrfs, AsksANewQueryForStatusOne) {
  LibraryHarness h;
  EXPECT_TRUE(RaisedAt(Raised([&] { (void)h.shared->HaveActiveTrfs(); }), err::kCannotCreate, "HaveActiveTrfs", 10));
  int32_t count = 0;
  int created = 0;
  ScopedRegistration query(std::string(class_ids::kDBQuery),
                           [&] { return ++created, std::make_shared<CountingQuery>(h.log, count); });
  for (count = 0; count <= 3; ++count) EXPECT_EQ(h.shared->HaveActiveTrfs(), count >= 1) << count;
  EXPECT_EQ(created, 4);
  EXPECT_EQ(h.log->CountOf("Query.OpenSQL(\"SELECT 0 FROM tbH_HomeMonthlyStats WHERE StatStatus=1\")"), 4u);
}

// A temporary folder that goes at the end of the test.
struct TempFolder {
  std::filesystem::path path = std::filesystem::temp_directory_path() / ("trf_oup_" + std::to_string(getpid()));
  TempFolder() { std::filesystem::create_directories(path); }
  ~TempFolder() { std::filesystem::remove_all(path); }
  void Touch(const std::string& name) const { std::ofstream(path / name) << "x"; }
};

// Only a normal file counts; an empty folder text searches the root folder.
TEST(HaveUpdateFile, FindsOupFilesInTheUpdateFolder) {
  LibraryHarness h;
  TempFolder folder;
  const std::string plain = folder.path.string();
  h.persist->update_folder = Variant::Text(plain);
  EXPECT_FALSE(h.shared->HaveUpdateFile());
  for (const char* name : {"update.oupx", ".oup", "readme.txt"}) folder.Touch(name);
  std::filesystem::create_directory(folder.path / "dir.oup");
  EXPECT_FALSE(h.shared->HaveUpdateFile());
  folder.Touch("UPDATE.OuP");
  for (const std::string& text : {plain, plain + "/", plain + "\\"}) {
    h.persist->update_folder = Variant::Text(text);
    EXPECT_TRUE(h.shared->HaveUpdateFile()) << text;
  }
  h.persist->update_folder = Variant::Text(plain + "/missing");
  EXPECT_FALSE(h.shared->HaveUpdateFile());
  h.persist->update_folder = Variant::Text("");
  EXPECT_EQ(h.shared->HaveUpdateFile(), FindFirstFile("/", "*.oup").has_value());
  h.persist->update_folder = Variant::Null();
  EXPECT_TRUE(RaisedAt(Raised([&] { (void)h.shared->HaveUpdateFile(); }), err::kInvalidNull, "HaveUpdateFile", 10));
}

TEST(WildcardMatch, StarQuestionAndCase) {
  const std::tuple<const char*, const char*, bool> rows[] = {
      {"*.oup", "a.oup", true},   {"*.oup", "A.OUP", true}, {"*.oup", ".oup", true},
      {"*.oup", "a.oupx", false}, {"*.oup", "a.ou", false}, {"?.oup", "ab.oup", false},
      {"a*b*c", "aXbYc", true},   {"a*b*c", "aXbY", false}, {"*", "", true},
  };
  for (const auto& [pattern, name, match] : rows)
    EXPECT_EQ(WildcardMatch(pattern, name), match) << pattern << " " << name;
}

}  // namespace
}  // namespace kw
