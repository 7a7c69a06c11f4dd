// The in-memory business object: fields converted by kind, rules from data, questions settled per
// value, removals refused with their reason, and records reached by position, key and name.
#include "ui_shared/defaults/memory_business_object.h"

#include <gtest/gtest.h>

#include "tests/doubles/raised.h"

namespace kw {
namespace {

using testing::Raised;

constexpr int32_t kNameRequired = 9001;
constexpr int32_t kLongWeek = 9002;
constexpr int32_t kKeptWhileActive = 9003;
constexpr int32_t kNewcomer = 9004;

// Volunteers: a name that must be there, hours that are asked about beyond 40, a notice for a
// volunteer without hours, and no removal of one who gives hours.
class Volunteers : public MemoryBusinessObject {
 public:
  Volunteers()
      : MemoryBusinessObject("LIVolunteers",
                             {{"Name"}, {"Hours", FieldKind::kWholeNumber}, {"Joined", FieldKind::kDate}},
                             {{.number = kNameRequired,
                               .field = "Name",
                               .message = "A volunteer needs a name.",
                               .broken = [](const RecordValues& r) { return r.Blank("Name"); }},
                              {.number = kLongWeek,
                               .kind = RuleKind::kQuestion,
                               .field = "Hours",
                               .message = "More than 40 hours a week?",
                               .broken = [](const RecordValues& r) { return r["Hours"].ToLong() > 40; }},
                              {.number = kNewcomer,
                               .kind = RuleKind::kNotice,
                               .message = "This volunteer gives no hours yet.",
                               .broken = [](const RecordValues& r) { return r["Hours"].ToLong() == 0; }},
                              {.number = kKeptWhileActive,
                               .kind = RuleKind::kRemoval,
                               .message = "Ada Park gives hours this week.",
                               .broken = [](const RecordValues& r) { return r["Hours"].ToLong() > 0; }}},
                             40) {
    AddStored({"Ada Park", "12", "3/5/2004"});
    AddStored({"Ben Okafor", "0"});
  }
};

int32_t Position(Volunteers& v, const char* field) { return v.PositionOf(field); }

// Typed texts become values of their field's kind; a text that is none stays as typed and is
// refused by the kind rule (2186), which says which field and what it takes; an empty text is Null.
TEST(MemoryBusinessObjectTest, TypedTextsBecomeValuesOfTheirKindOrAreRefused) {
  Volunteers v;
  EXPECT_EQ(v.FieldValueAt(Variant(), Position(v, "Hours")).Type(), VarType::Long);
  EXPECT_EQ(v.FieldValueAt(Variant(), Position(v, "Joined")).ToText(), "3/5/2004");
  v.FieldValue(Position(v, "Hours"), Variant::Text("many"));
  const std::vector<HardRulePtr> broken = v.HardRules()->Rules();
  ASSERT_EQ(broken.size(), 1u);
  EXPECT_EQ(broken[0]->RuleNumber(), kRuleFieldKind);
  EXPECT_EQ(broken[0]->FieldEnum(), Position(v, "Hours") - 1);
  EXPECT_EQ(broken[0]->Feedback(), "Hours takes a whole number.");
  EXPECT_EQ(broken[0]->MoreFeedback(), "\"many\" is none.");
  EXPECT_FALSE(v.Save(false)) << "a record with a value of the wrong kind was stored";
  v.FieldValue(Position(v, "Name"), Variant::Text(""));
  EXPECT_TRUE(v.FieldValueAt(Variant(), Position(v, "Name")).IsNull());
  EXPECT_EQ(Raised([&] {
              v.AddStored({"Cy", "lots"});
            }).Description(),
            "LIVolunteers.Hours takes a whole number; \"lots\" is none.");
}

// A hard rule refuses the record until it holds; Save(false) refuses, CancelEdit brings back what
// was stored.
TEST(MemoryBusinessObjectTest, AHardRuleRefusesTheRecordUntilItHolds) {
  Volunteers v;
  v.FieldValue(Position(v, "Name"), Variant::Null());
  EXPECT_FALSE(v.HardRules()->IsValid(Position(v, "Name") - 1, 1, false));
  EXPECT_TRUE(v.IsDirty());
  EXPECT_FALSE(v.Save(false));
  v.CancelEdit();
  EXPECT_FALSE(v.IsDirty());
  EXPECT_EQ(v.Get("Name").ToText(), "Ada Park");
  EXPECT_TRUE(v.IsValid());
}

// A question raised by a value stays settled once accepted while the value stays the same, and is
// raised afresh by another value; the record is kept only when every question is settled.
TEST(MemoryBusinessObjectTest, AQuestionSettledForAValueIsNotRaisedAgainForIt) {
  Volunteers v;
  const int32_t hours = Position(v, "Hours");
  v.FieldValue(hours, Variant::Text("50"));
  std::vector<SoftRulePtr> raised = v.SoftRules()->Rules();
  ASSERT_EQ(raised.size(), 1u);
  EXPECT_TRUE(raised[0]->IsQuestion());
  EXPECT_EQ(raised[0]->RuleNumber(), kLongWeek);
  EXPECT_FALSE(v.Save(false)) << "stored with an unsettled question";
  raised[0]->Broken(false);
  v.FieldValue(hours, Variant::Text("50"));  // the library writes a settled value back
  EXPECT_TRUE(v.SoftRules()->IsValid(-1, -1));
  EXPECT_TRUE(v.Save(false));
  v.FieldValue(hours, Variant::Text("60"));
  EXPECT_FALSE(v.SoftRules()->IsValid(-1, -1)) << "60 hours were taken as settled by the answer about 50";
}

// A notice of the whole record is raised at level 2, on no field, and is settled by being read.
TEST(MemoryBusinessObjectTest, ANoticeOfTheRecordIsSettledByReadingIt) {
  Volunteers v;
  v.CurrentIndex(Variant::Long(2));
  std::vector<SoftRulePtr> raised = v.SoftRules()->Rules();
  ASSERT_EQ(raised.size(), 1u);
  EXPECT_FALSE(raised[0]->IsQuestion());
  EXPECT_EQ(raised[0]->RuleLevel(), 2);
  EXPECT_EQ(raised[0]->FieldEnum(), -1);
  raised[0]->Broken(false);
  EXPECT_TRUE(v.IsValid());
}

// A broken removal rule refuses Delete with its number and says why; a record that may go is marked
// and the next Save removes it, the record after it becoming current.
TEST(MemoryBusinessObjectTest, ARemovalIsRefusedWithItsReasonOrTakesEffectOnTheNextSave) {
  Volunteers v;
  const Error refusal = Raised([&] { v.Delete(); });
  EXPECT_EQ(refusal.Number(), kKeptWhileActive);
  EXPECT_EQ(refusal.Source(), "KW_I.LIVolunteers");
  EXPECT_EQ(refusal.Description(), "Ada Park gives hours this week. Nothing was removed.");
  EXPECT_EQ(v.Count(), 2);
  v.CurrentIndex(Variant::Text("2"));
  v.Delete();
  EXPECT_EQ(v.Count(), 2) << "removed before the save";
  EXPECT_TRUE(v.Save(true));
  EXPECT_EQ(v.Count(), 1);
  EXPECT_FALSE(v.Exists("2"));
  EXPECT_EQ(v.CurrentIndex().ToLong(), 1);
}

// A new record takes the next key and is current; CancelEdit drops it whole.
TEST(MemoryBusinessObjectTest, ANewRecordIsNumberedAndDroppedWholeByCancelEdit) {
  Volunteers v;
  v.AddNew();
  EXPECT_EQ(v.Count(), 3);
  EXPECT_TRUE(v.IsNew());
  EXPECT_EQ(v.Get("ID").ToText(), "3");
  EXPECT_EQ(v.Get("Index").ToLong(), 3);
  v.CancelEdit();
  EXPECT_EQ(v.Count(), 2);
  EXPECT_FALSE(v.Exists("3"));
  v.AddNew();
  EXPECT_EQ(v.Get("ID").ToText(), "4") << "a dropped record's key was given again";
}

// A filter shows the records of one parent; 0 shows them all again.
TEST(MemoryBusinessObjectTest, AFilterShowsTheRecordsOfOneParent) {
  Volunteers v;
  v.AddStored({"Cy North", "5"}, "H-2");
  v.Filter(Variant::Text("H-2"));
  EXPECT_EQ(v.Count(), 1);
  EXPECT_EQ(v.Get("Name").ToText(), "Cy North");
  v.Filter(Variant::Long(0));
  EXPECT_EQ(v.Count(), 3);
}

// What is missing is named: an unknown field by name (the fields listed), a record beyond the
// ends, a field a rule names that the class lacks; an unknown member is still 438.
TEST(MemoryBusinessObjectTest, ErrorsNameWhatIsMissing) {
  Volunteers v;
  EXPECT_EQ(Raised([&] { (void)v.PositionOf("Hourz"); }).Description(),
            "LIVolunteers has no field \"Hourz\"; its fields are ID, ParentID, Name, Hours, Joined.");
  EXPECT_EQ(Raised([&] { v.CurrentIndex(Variant::Long(5)); }).Description(),
            "LIVolunteers has no record 5; it holds 2.");
  EXPECT_EQ(Raised([&] { (void)v.FieldValueAt(Variant(), 9); }).Number(), err::kSubscript);
  EXPECT_EQ(Raised([&] { (void)v.Get("Missing"); }).Number(), err::kNoSuchMember);
  const Error bad_rule =
      Raised([] { MemoryBusinessObject("LIBad", {{"Name"}}, {{.number = 1, .field = "Age", .message = "Too old."}}); });
  EXPECT_EQ(bad_rule.Number(), err::kInvalidCall);
  EXPECT_EQ(bad_rule.Description(),
            "Rule 1 is about the field \"Age\", which LIBad lacks; its fields are ID, "
            "ParentID, Name.");
}

// The library reaches Count, Index and the fields by name, in any case; a field written by name runs
// the rules as FieldValue does.
TEST(MemoryBusinessObjectTest, CountIndexAndFieldsAreReachedByName) {
  Volunteers v;
  EXPECT_EQ(v.Get("count").ToLong(), 2);
  v.Let("Index", Variant::Long(2));
  EXPECT_EQ(v.Get("NAME").ToText(), "Ben Okafor");
  v.Let("Hours", Variant::Text(""));
  EXPECT_TRUE(v.Get("Hours").IsEmpty()) << "a field holding nothing must read by name as Empty, which a list can show";
  EXPECT_TRUE(v.FieldValueAt(Variant(), v.PositionOf("Hours")).IsNull());
  v.Let("Hours", Variant::Text("45"));
  EXPECT_EQ(v.SoftRules()->Rules().size(), 1u);
  EXPECT_EQ(v.SoftRules()->Rules()[0]->RuleNumber(), kLongWeek);
}

}  // namespace
}  // namespace kw
