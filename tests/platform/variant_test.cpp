// Variant: kinds, the runtime's conversions by table, equality, "differs from zero" and Str.
#include "ui_shared/platform/variant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "tests/doubles/raised.h"
#include "ui_shared/platform/dates.h"
#include "ui_shared/platform/error.h"
#include "ui_shared/platform/object.h"

namespace kw {
namespace {

// An object whose default member is its text, as a text box's is (no other member is read).
class Labelled : public Object {
 public:
  explicit Labelled(std::string label) : label_(std::move(label)) {}
  std::string TypeName() const override { return "Labelled"; }
  Variant Get(std::string_view, const Args&) override { return Variant::Text(label_); }

 private:
  std::string label_;
};

TEST(VariantConversion, ToIntegerAndToLongFollowTheRuntime) {
  const std::tuple<const char*, Variant, int32_t> rows[] = {
      {"empty", Variant(), 0},
      {"integer, as it is", Variant::Integer(-32768), -32768},
      {"true", Variant::Boolean(true), -1},
      {"false", Variant::Boolean(false), 0},
      {"half to even", Variant::Double(2.5), 2},
      {"long in range", Variant::Long(-300), -300},
      {"text with blanks", Variant::Text(" 12 "), 12},
      {"fraction text", Variant::Text("2.5"), 2},
      {"currency", Variant::Currency(CurrencyValue{25000}), 2},
      {"byte", Variant::Byte(255), 255},
      {"date", Variant::Date(3.75), 4},
      {"decimal", Variant::Decimal(DecimalValue{125, 1}), 12},
      {"object's default text", Variant::Object(std::make_shared<Labelled>("7")), 7}};
  for (const auto& [name, value, expected] : rows) EXPECT_EQ(value.ToInteger(), expected) << name;
  const std::tuple<const char*, Variant, int32_t> failing[] = {
      {"just over", Variant::Double(32767.5), err::kOverflow},
      {"long out of range", Variant::Long(40000), err::kOverflow},
      {"text with letters", Variant::Text("12abc"), err::kTypeMismatch},
      {"empty text", Variant::Text(""), err::kTypeMismatch},
      {"text beyond range", Variant::Text("70000"), err::kOverflow},
      {"null", Variant::Null(), err::kInvalidNull},
      {"nothing", Variant::Object(nullptr), err::kObjectNotSet}};
  for (const auto& [name, value, error] : failing)
    EXPECT_EQ(testing::RaisedNumber([&value = value] { (void)value.ToInteger(); }), error) << name;
  EXPECT_EQ(Variant::Double(2147483647.4).ToLong(), 2147483647);
  EXPECT_EQ(Variant::Text("-0.5").ToLong(), 0);
  for (const Variant& bad : {Variant::Double(2147483647.5), Variant::Text("1e10"),
                             Variant::Double(std::numeric_limits<double>::quiet_NaN())})
    EXPECT_EQ(testing::RaisedNumber([&] { (void)bad.ToLong(); }), err::kOverflow) << bad.ToText();
}

TEST(VariantConversion, ToTextAndStrRenderEachKind) {
  const std::tuple<const char*, Variant, const char*> rows[] = {
      {"empty", Variant(), ""},
      {"integer", Variant::Integer(-4), "-4"},
      {"long", Variant::Long(17), "17"},
      {"double", Variant::Double(2.5), "2.5"},
      {"single", Variant::Single(0.1f), "0.1"},
      {"currency", Variant::Currency(CurrencyValue{-12345}), "-1.2345"},
      {"whole currency", Variant::Currency(CurrencyValue{20000}), "2"},
      {"decimal", Variant::Decimal(DecimalValue{12340, 3}), "12.34"},
      {"true", Variant::Boolean(true), "True"},
      {"false", Variant::Boolean(false), "False"},
      {"date at midnight", Variant::Date(dates::Serial(2004, 3, 5)), "3/5/2004"},
      {"date with time", Variant::Date(dates::Serial(2004, 3, 5, 14, 7, 9)), "3/5/2004 2:07:09 PM"},
      {"time alone", Variant::Date(0.5), "12:00:00 PM"},
      {"text", Variant::Text("abc "), "abc "}};
  for (const auto& [name, value, expected] : rows) EXPECT_EQ(value.ToText(), expected) << name;
  EXPECT_EQ(testing::RaisedNumber([] { (void)Variant::Null().ToText(); }), err::kInvalidNull);
  // Str puts a blank before zero and positive numbers only.
  const std::pair<Variant, const char*> str_rows[] = {
      {Variant::Long(17), " 17"},     {Variant::Integer(0), " 0"}, {Variant::Integer(-4), "-4"},
      {Variant::Double(2.5), " 2.5"}, {Variant::Text("x"), "x"},
  };
  for (const auto& [value, expected] : str_rows) EXPECT_EQ(StrOf(value), expected);
}

// Whole numbers take their own way to text: their edges and signs are checked against ToText.
TEST(VariantConversion, AppendTextAddsWhatToTextRenders) {
  const std::tuple<const char*, Variant> rows[] = {
      {"empty", Variant()},
      {"long zero", Variant::Long(0)},
      {"negative long", Variant::Long(-7)},
      {"least long", Variant::Long(std::numeric_limits<int32_t>::min())},
      {"greatest long", Variant::Long(std::numeric_limits<int32_t>::max())},
      {"integer", Variant::Integer(-4)},
      {"double", Variant::Double(2.5)},
      {"time", Variant::Date(0.5)},
      {"true", Variant::Boolean(true)},
      {"text", Variant::Text("abc ")},
      {"empty text", Variant::Text("")},
      {"object's default text", Variant::Object(std::make_shared<Labelled>("label"))}};
  for (const auto& [name, value] : rows) {
    std::string out = "K";
    value.AppendText(out);
    EXPECT_EQ(out, "K" + value.ToText()) << name;
  }
  std::string least = "K";
  Variant::Long(std::numeric_limits<int32_t>::min()).AppendText(least);
  EXPECT_EQ(least, "K-2147483648");
  std::string untouched = "K";
  EXPECT_EQ(testing::RaisedNumber([&] { Variant::Null().AppendText(untouched); }), err::kInvalidNull);
  EXPECT_EQ(untouched, "K");
}

// A kept text is copied, not taken; a value remade in place replaces the old one, of any kind.
TEST(VariantText, MadeFromAKeptTextOrRemadeInPlace) {
  std::string kept(40, 'k');
  const Variant copy = Variant::Text(kept);
  EXPECT_EQ(kept, std::string(40, 'k'));
  EXPECT_EQ(copy.GetText(), kept);

  Variant v = Variant::Text(std::string(40, 'x'));
  v.Remake([] { return Variant::Long(5); });
  EXPECT_EQ(v.Type(), VarType::Long);
  EXPECT_EQ(v.ToLong(), 5);
  v.Remake([&] { return Variant::Text(kept); });
  EXPECT_EQ(v.GetText(), kept);
  // A failure while making leaves the variant Empty, and usable.
  EXPECT_EQ(testing::RaisedNumber([&] { v.Remake([]() -> Variant { Raise(err::kInvalidNull); }); }), err::kInvalidNull);
  EXPECT_TRUE(v.IsEmpty());
  v.Remake([] { return Variant::Text("again"); });
  EXPECT_EQ(v.GetText(), "again");
}

TEST(VariantConversion, BooleanDoubleDateAndExactAccess) {
  for (const Variant& truthy : {Variant::Long(-3), Variant::Text("True"), Variant::Text("5")})
    EXPECT_TRUE(truthy.ToBoolean()) << truthy.ToText();
  EXPECT_FALSE(Variant().ToBoolean());
  EXPECT_EQ(testing::RaisedNumber([] { (void)Variant::Text("yes").ToBoolean(); }), err::kTypeMismatch);
  EXPECT_DOUBLE_EQ(Variant::Text(" 1.5 ").ToDouble(), 1.5);
  EXPECT_EQ(testing::RaisedNumber([] { (void)Variant::Long(1).GetText(); }), err::kTypeMismatch);
  EXPECT_EQ(testing::RaisedNumber([] { (void)Variant::Text("1").ToObject(); }), err::kObjectRequired);
  EXPECT_EQ(Variant::Object(nullptr).ToObject(), nullptr);
  EXPECT_DOUBLE_EQ(Variant::Text("3/5/2004").ToDate(), dates::Serial(2004, 3, 5));
  EXPECT_EQ(testing::RaisedNumber([] { (void)Variant::Text("someday").ToDate(); }), err::kTypeMismatch);
  // A number outside the date range is no date: converting it, or holding it as one, overflows.
  for (const double serial : {1e19, -657435.0, 2958466.0, std::nan("")}) {
    SCOPED_TRACE(serial);
    EXPECT_EQ(testing::RaisedNumber([&] { (void)Variant::Double(serial).ToDate(); }), err::kOverflow);
    EXPECT_EQ(testing::RaisedNumber([&] { (void)Variant::Date(serial); }), err::kOverflow);
  }
  EXPECT_EQ(testing::RaisedNumber([] { (void)Variant::Text("1e19").ToDate(); }), err::kOverflow);
  EXPECT_EQ(Variant::Text("2958465").ToDate(), 2958465.0);
}

TEST(VariantKinds, TypeNumbersMatchTheRuntime) {
  const std::pair<Variant, VarType> rows[] = {
      {Variant(), VarType::Empty},
      {Variant::Null(), VarType::Null},
      {Variant::Integer(1), VarType::Integer},
      {Variant::Long(1), VarType::Long},
      {Variant::Single(1), VarType::Single},
      {Variant::Double(1), VarType::Double},
      {Variant::Date(1), VarType::Date},
      {Variant::Text(""), VarType::String},
      {Variant::Currency({}), VarType::Currency},
      {Variant::Byte(1), VarType::Byte},
      {Variant::Decimal({}), VarType::Decimal},
      {Variant::Boolean(true), VarType::Boolean},
      {Variant::Object(nullptr), VarType::Object},
      {Variant::Array(std::make_shared<const VArray>(VArray::Bytes({}))), VarType::Array}};
  for (const auto& [value, type] : rows) EXPECT_EQ(value.Type(), type) << static_cast<int>(type);
  EXPECT_TRUE(Variant::Currency({}).IsNumber());
  EXPECT_FALSE(Variant::Date(1).IsNumber());
}

// Objects compare by identity: another object with the same default text is not the same object.
TEST(VariantEquality, PairwiseOverSamplesAndDiffersFromZero) {
  const Variant box = Variant::Object(std::make_shared<Labelled>("7"));
  const Variant twin = Variant::Object(std::make_shared<Labelled>("7"));
  const std::tuple<Variant, Variant, bool> pairs[] = {{box, box, true},
                                                      {box, twin, false},
                                                      {Variant::Integer(2), Variant::Double(2.0), true},
                                                      {Variant::Long(1), Variant::Currency(CurrencyValue{10000}), true},
                                                      {Variant::Text("a"), Variant::Text("a"), true},
                                                      {Variant::Text("a"), Variant::Text("A"), false},
                                                      {Variant(), Variant::Long(0), true},
                                                      {Variant(), Variant::Text(""), true},
                                                      {Variant::Long(17), Variant::Text("17"), false},
                                                      {Variant::Null(), Variant::Null(), false},
                                                      {Variant::Null(), Variant::Long(0), false},
                                                      {Variant::Boolean(true), Variant::Long(-1), true},
                                                      {Variant::Text(""), Variant::Long(0), false}};
  for (size_t i = 0; i < std::size(pairs); ++i) {
    const auto& [a, b, equal] = pairs[i];
    EXPECT_EQ(VariantEquals(a, b), equal) << "pair " << i;
    EXPECT_EQ(VariantEquals(b, a), equal) << "pair " << i << " swapped";
  }
  // The save step's filter test: only Empty and numeric zeros count as "no filter".
  for (const Variant& zero : {Variant(), Variant::Double(0.0), Variant::Long(0)}) EXPECT_FALSE(DiffersFromZero(zero));
  for (const Variant& other : {Variant::Text(""), Variant::Text("0"), Variant::Long(3), Variant::Null()})
    EXPECT_TRUE(DiffersFromZero(other));
}

TEST(VariantArray, BoundsAndSubscripts) {
  VArray table({{0, 2}, {0, 3}});
  table.At({2, 3}) = Variant::Text("last");
  EXPECT_EQ(table.At({2, 3}).GetText(), "last");
  EXPECT_TRUE(table.At({0, 0}).IsEmpty());
  EXPECT_EQ(std::tuple(table.DimensionBounds(1).upper, table.ElementCount()), std::tuple(2, 12u));
  EXPECT_EQ(testing::RaisedNumber([&] { (void)table.At({3, 0}); }), err::kSubscript);
  EXPECT_EQ(testing::RaisedNumber([&] { (void)table.At({0}); }), err::kSubscript);
  EXPECT_EQ(testing::RaisedNumber([&] { (void)table.DimensionBounds(3); }), err::kSubscript);
}

}  // namespace
}  // namespace kw
