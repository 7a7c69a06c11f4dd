// The record error display: hard rules with their filter and focus, soft rules settled through
// questions, notices and the record cache, re-validation, the send-off steps that bring the record
// into view, and the pointer.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/doubles/fake_business_object.h"
#include "tests/doubles/harness.h"
#include "tests/doubles/recording_list.h"
#include "tests/doubles/shared_access.h"

namespace kw {
namespace {

using ::testing::StrEq;
using ::testing::ThrowsMessage;
using testing::FakeHardRule;
using testing::FakeLI;
using testing::FakeSoftRule;
using testing::LibraryHarness;
using testing::RecordingList;
using Access = SharedProceduresTestAccess;

// A business object of class 3 holding one stored record with key 101.
std::shared_ptr<FakeLI> OneRecord(LibraryHarness& h) {
  auto li = std::make_shared<FakeLI>(h.log);
  li->AddRecord({Variant::Long(101), Variant::Long(1), Variant::Text("Smith"), Variant::Long(40)});
  return li;
}

std::shared_ptr<FakeSoftRule> AddSoftRule(FakeLI& li, int32_t number, bool question, const char* value) {
  auto rule = std::make_shared<FakeSoftRule>(2, 1, number, question, "Soft " + std::to_string(number),
                                             Variant::Text(value));
  li.soft_rules->rules.push_back(rule);
  return rule;
}

// Every broken hard rule is focused through its tag and shown in order; a rule-number filter keeps
// only the matching rule; with messages disabled nothing moves. The result is false each time,
// and soft rules are not looked at while a hard rule is broken.
TEST(DisplayRecordErrors, HardRulesAreFocusedAndShownThroughTheFilter) {
  struct Row {
    const char* name;
    int32_t filter;
    bool disable;
    std::vector<std::string> expected;
  };
  const Row rows[] = {
      {"all", 0, false, {"Form.SetFocusTo(\" 3# 4\")", "Age missing", "Form.SetFocusTo(\" 3# 9\")", "Bad date"}},
      {"second only", 2002, false, {"Form.SetFocusTo(\" 3# 9\")", "Bad date"}},
      {"disabled", 0, true, {}},
  };
  for (const auto& row : rows) {
    LibraryHarness h;
    auto li = OneRecord(h);
    li->hard_rules->rules = {std::make_shared<FakeHardRule>(4, 1, 2001, "Age missing", "Enter the age"),
                             std::make_shared<FakeHardRule>(9, 2, 2002, "Bad date")};
    std::vector<std::string> seen;
    EXPECT_FALSE(h.shared->DisplayRecordErrors(li, row.disable, nullptr, row.filter)) << row.name;
    for (const auto& entry : h.log->Entries()) {
      if (entry.rfind("Form.SetFocusTo", 0) == 0) seen.push_back(entry);
      if (entry.rfind("Dialog.Let Feedback(", 0) == 0) seen.push_back(entry.substr(21, entry.size() - 23));
    }
    EXPECT_EQ(seen, row.expected) << row.name;
    EXPECT_EQ(h.screen->MousePointer(), kPointerDefault) << row.name;
    EXPECT_TRUE(h.log->Matching("LI.Get SoftRules").empty()) << row.name;
  }
  // A business object without records is fine: nothing shown, the pointer ends at the default.
  LibraryHarness h;
  h.screen->MousePointer(5);
  EXPECT_TRUE(h.shared->DisplayRecordErrors(std::make_shared<FakeLI>(h.log)));
  EXPECT_TRUE(h.log->Matching("Dialog.").empty());
  EXPECT_EQ(h.screen->MousePointer(), kPointerDefault);
}

// An accepted question settles the rule and caches its trimmed value under the record key; the same
// value later settles silently; another value drops the entry and asks again, and a refusal returns
// false and writes SendOffValidation false.
TEST(DisplayRecordErrors, AcceptedQuestionsAreCachedUntilTheValueChanges) {
  LibraryHarness h;
  auto li = OneRecord(h);
  auto rule = AddSoftRule(*li, 7, true, " 40 ");
  h.dialog->answers = {"0"};
  EXPECT_TRUE(h.shared->DisplayRecordErrors(li, false, nullptr, 0, 0, false));
  EXPECT_FALSE(rule->broken);
  EXPECT_EQ(Access::RecordCache(*h.shared).Item("101#7"), "40");
  EXPECT_EQ(h.dialog->rule_type, kRuleQuestion);
  EXPECT_LT(h.log->IndexOf("Form.SetFocusTo(\" 3# 2\")"), h.log->IndexOf("Dialog.Let Feedback(\"Soft 7\")"));

  rule->broken = true;
  h.log->Clear();
  EXPECT_TRUE(h.shared->DisplayRecordErrors(li, false, nullptr, 0, 0, false));
  EXPECT_FALSE(rule->broken);
  EXPECT_TRUE(h.log->Matching("Dialog.").empty());
  EXPECT_TRUE(h.log->Matching("Form.SetFocusTo").empty());

  rule->broken = true;
  rule->value = Variant::Text("41");
  h.dialog->answers = {"1"};
  h.log->Clear();
  EXPECT_FALSE(h.shared->DisplayRecordErrors(li, false, nullptr, 0, 0, false));
  EXPECT_TRUE(rule->broken);
  EXPECT_FALSE(Access::RecordCache(*h.shared).Exists("101#7"));
  EXPECT_EQ(h.log->CountOf("Dialog.Let Feedback(\"Soft 7\")"), 1u);
  EXPECT_EQ(h.log->Entries().back(), "LI.Let SendOffValidation(False)");
  EXPECT_EQ(h.screen->MousePointer(), kPointerDefault);
}

// A notice is shown as type 2, settled and cached; after the settling the rules run again and a
// rule raised by that run is settled in the next pass. Without re-validation nothing runs again.
TEST(DisplayRecordErrors, NoticesAreCachedAndTheRecordIsValidatedAgain) {
  LibraryHarness g;
  auto once = OneRecord(g);
  AddSoftRule(*once, 8, false, "x");
  EXPECT_TRUE(g.shared->DisplayRecordErrors(once, false, nullptr, 0, 0, false));
  EXPECT_EQ(g.log->CountOf("LI.Validate()"), 0u);

  LibraryHarness h;
  auto li = OneRecord(h);
  AddSoftRule(*li, 8, false, "x");
  int runs = 0;
  li->on_validate = [&](FakeLI& self) {
    if (++runs == 1) AddSoftRule(self, 9, false, "y");
  };
  EXPECT_TRUE(h.shared->DisplayRecordErrors(li));
  EXPECT_EQ(h.log->CountOf("LI.Validate()"), 2u);
  EXPECT_EQ(Access::RecordCache(*h.shared).Item("101#8"), "x");
  EXPECT_EQ(Access::RecordCache(*h.shared).Item("101#9"), "y");
  const std::vector<std::string> calls = h.log->Matching("LI.");
  const std::vector<std::string> expected = {"LI.Let SuspendValidation(False)", "LI.Let SendOffValidation(False)",
                                             "LI.Validate()", "LI.Let SendOffValidation(False)"};
  EXPECT_NE(std::search(calls.begin(), calls.end(), expected.begin(), expected.end()), calls.end());
  EXPECT_EQ(h.dialog->rule_type, kRuleNotice);
}

// A disabled rule is neither shown nor settled, so a record that stays invalid ends after one pass;
// a soft-rule filter leaves other rules alone in the same way; with messages disabled a rule in
// the cache still settles silently.
TEST(DisplayRecordErrors, DisabledFilteredAndSilencedRules) {
  LibraryHarness h;
  auto li = OneRecord(h);
  auto disabled = AddSoftRule(*li, 7, false, "x");
  disabled->enabled = false;
  auto other = AddSoftRule(*li, 8, false, "x");
  li->is_valid = false;
  EXPECT_FALSE(h.shared->DisplayRecordErrors(li, false, nullptr, 0, 9));
  EXPECT_TRUE(disabled->broken);
  EXPECT_TRUE(other->broken);
  EXPECT_TRUE(h.log->Matching("Dialog.").empty());
  EXPECT_EQ(h.log->CountOf("LI.IsValid(Empty)"), 2u);

  auto cached = AddSoftRule(*li, 9, true, "40");
  Access::RecordCache(*h.shared).Add("101#9", "40");
  EXPECT_FALSE(h.shared->DisplayRecordErrors(li, true));
  EXPECT_FALSE(cached->broken);
  EXPECT_TRUE(other->broken);
  EXPECT_TRUE(h.log->Matching("Dialog.").empty());
}

// In a non-interactive send-off the record is brought into view before any message: the grid's Row
// receives the key; a tree view or list view selects the entry "K" + key and hands the list's
// selection to the form; a missing entry hands over whatever the list reports. An interactive
// send-off leaves the list alone.
TEST(DisplayRecordErrors, SendOffBringsTheRecordIntoView) {
  struct Row {
    const char* type;
    std::vector<std::string> keys;
    std::vector<std::string> expected;
  };
  const Row rows[] = {
      {"TrfEditGrid", {}, {"List.Let Row(101)"}},
      {"TreeView", {"K100", "K101"}, {"List K101.Let Selected(True)", "Form.ListItemClick(\"K101\")"}},
      {"ListView", {"K101"}, {"List K101.Let Selected(True)", "Form.ListItemClick(\"K101\")"}},
      {"ListView", {"K7"}, {"Form.ListItemClick(Nothing)"}},
  };
  for (const auto& row : rows) {
    LibraryHarness h;
    h.container->send_off_mode = true;
    auto li = OneRecord(h);
    li->hard_rules->rules = {std::make_shared<FakeHardRule>(4, 1, 2001, "Age missing")};
    auto list = std::make_shared<RecordingList>(h.log, row.type, row.keys);
    EXPECT_FALSE(h.shared->DisplayRecordErrors(li, false, list));
    std::vector<std::string> seen;
    for (const auto& entry : h.log->Entries())
      if (entry.rfind("List", 0) == 0 || entry.rfind("Form.ListItemClick", 0) == 0) seen.push_back(entry);
    EXPECT_EQ(seen, row.expected) << row.type;
    const int first_message = h.log->IndexOf("Dialog.Let Feedback(\"Age missing\")");
    EXPECT_LT(h.log->IndexOf(row.expected.back()), first_message) << row.type;
  }
  LibraryHarness h;
  h.container->send_off_mode = true;
  h.container->send_off_interactive = true;
  auto li = OneRecord(h);
  li->hard_rules->rules = {std::make_shared<FakeHardRule>(4, 1, 2001, "Age missing")};
  auto list = std::make_shared<RecordingList>(h.log, "TrfEditGrid", std::vector<std::string>{});
  EXPECT_FALSE(h.shared->DisplayRecordErrors(li, false, list));
  EXPECT_TRUE(list->row.IsEmpty());
}

// An error of the form leaves through the trail with the hourglass still up; a field number beyond
// 16 bits overflows when its tag is built.
TEST(DisplayRecordErrors, ErrorsLeaveThroughTheTrailWithTheHourglass) {
  LibraryHarness h;
  auto li = OneRecord(h);
  li->hard_rules->rules = {std::make_shared<FakeHardRule>(4, 1, 2001, "Age missing")};
  h.form->FailOn("SetFocusTo", Error(err::kInvalidCall, "Form", "no such control"));
  EXPECT_THAT([&] { (void)h.shared->DisplayRecordErrors(li); },
              ThrowsMessage<Error>(StrEq("KW_UIShared.SharedProcedures.DisplayRecordErrors:100\r\nno such control")));
  EXPECT_EQ(h.screen->MousePointer(), kPointerHourglass);
  h.form->Disarm("SetFocusTo");
  li->hard_rules->rules = {std::make_shared<FakeHardRule>(40000, 1, 2001, "Age missing")};
  EXPECT_THAT([&] { (void)h.shared->DisplayRecordErrors(li); },
              ThrowsMessage<Error>(::testing::EndsWith("\r\nOverflow")));
}

}  // namespace
}  // namespace kw
