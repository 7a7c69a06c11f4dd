// The record error display: hard rules, soft rules settled through the record cache, and send-off.
#include "tests/doubles/library_test.h"

#include "tests/doubles/recording_list.h"

namespace kw {
namespace {

// While a hard rule is broken the soft rules are not looked at.
TEST(DisplayRecordErrors, HardRulesAreFocusedAndShownThroughTheFilter) {
  const std::tuple<const char*, int32_t, bool, Strings> rows[] = {
      {"all", 0, false, {R"(" 3# 4")", R"("Age missing")", R"(" 3# 9")", R"("Bad date")"}},
      {"second only", 2002, false, {R"(" 3# 9")", R"("Bad date")"}},
      {"disabled", 0, true, {}},
  };
  for (const auto& [name, filter, disable, expected] : rows) {
    LibraryHarness h;
    auto li = OneRecord(h);
    li->hard_rules->rules = {std::make_shared<FakeHardRule>(4, 1, 2001, "Age missing", "Enter the age"),
                             std::make_shared<FakeHardRule>(9, 2, 2002, "Bad date")};
    EXPECT_FALSE(h.shared->DisplayRecordErrors(li, disable, nullptr, filter)) << name;
    EXPECT_EQ(h.log->Arguments({"Form.SetFocusTo", "Dialog.Let Feedback"}), expected) << name;
    EXPECT_EQ(h.screen->MousePointer(), kPointerDefault) << name;
    EXPECT_TRUE(h.log->Matching("LI.Get SoftRules").empty()) << name;
  }
}

// A field number beyond 16 bits overflows when its tag is built.
TEST(DisplayRecordErrors, ErrorsLeaveThroughTheTrailWithTheHourglass) {
  LibraryHarness h;
  h.screen->MousePointer(5);
  EXPECT_TRUE(h.shared->DisplayRecordErrors(std::make_shared<FakeLI>(h.log)));
  EXPECT_TRUE(h.log->Matching("Dialog.").empty());
  EXPECT_EQ(h.screen->MousePointer(), kPointerDefault);
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

// The cache holds the trimmed value under the record key, so only another value asks again.
TEST(DisplayRecordErrors, AcceptedQuestionsAreCachedUntilTheValueChanges) {
  LibraryHarness h;
  auto li = OneRecord(h);
  auto rule = AddSoftRule(*li, 7, true, " 40 ");
  h.dialog->answers = {"0"};
  EXPECT_TRUE(h.shared->DisplayRecordErrors(li, false, nullptr, 0, 0, false));
  EXPECT_FALSE(rule->broken);
  EXPECT_EQ(Access::RecordCache(*h.shared).Item("101#7"), "40");
  EXPECT_EQ(h.log->Joined({"Form.SetFocusTo", "Dialog.Let Feedback", "Dialog.Let RuleType"}),
            "Form.SetFocusTo(\" 3# 2\"); Dialog.Let Feedback(\"Soft 7\"); Dialog.Let RuleType(0)");

  rule->broken = true;
  h.log->Clear();
  EXPECT_TRUE(h.shared->DisplayRecordErrors(li, false, nullptr, 0, 0, false));
  EXPECT_FALSE(rule->broken);
  EXPECT_EQ(h.log->MatchingAny({"Dialog.", "Form.SetFocusTo"}), Strings{});

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

// The display checks the cache's age first: an answer given more than a day ago no longer settles the question.
TEST(DisplayRecordErrors, QuestionsSettledMoreThanADayAgoAreAskedAgain) {
  LibraryHarness h;
  auto li = OneRecord(h);
  auto rule = AddSoftRule(*li, 7, true, "40");
  h.dialog->answers = {"0", "0"};
  EXPECT_TRUE(h.shared->DisplayRecordErrors(li, false, nullptr, 0, 0, false));
  rule->broken = true;
  h.clock->AdvanceSeconds(86401);
  EXPECT_TRUE(h.shared->DisplayRecordErrors(li, false, nullptr, 0, 0, false));
  EXPECT_EQ(h.log->CountOf("Dialog.Let Feedback(\"Soft 7\")"), 2u);
}

// After the settling the rules run again, and a rule that run raises is settled in the next pass.
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
  EXPECT_THAT(h.log->Joined({"LI."}), ::testing::HasSubstr("LI.Let SuspendValidation(False); LI.Let SendOffValidation("
                                                           "False); LI.Validate(); LI.Let SendOffValidation(False)"));
  EXPECT_EQ(h.dialog->rule_type, kRuleNotice);
}

// Unsettled rules end an invalid record after one pass; with messages off a cached rule still settles.
TEST(DisplayRecordErrors, DisabledFilteredAndSilencedRules) {
  LibraryHarness d;
  auto rec = OneRecord(d);
  auto disabled = AddSoftRule(*rec, 9, false, "x");
  disabled->enabled = false;
  auto other = AddSoftRule(*rec, 8, false, "x");
  rec->is_valid = false;
  EXPECT_FALSE(d.shared->DisplayRecordErrors(rec, false, nullptr, 0, 9));
  EXPECT_TRUE(disabled->broken && other->broken);
  EXPECT_EQ(d.log->Joined({"Dialog.", "LI.IsValid"}), "LI.IsValid(Empty); LI.IsValid(Empty)");

  auto cached = AddSoftRule(*rec, 9, true, "40");
  Access::RecordCache(*d.shared).Add("101#9", "40");
  EXPECT_FALSE(d.shared->DisplayRecordErrors(rec, true));
  EXPECT_TRUE(!cached->broken && other->broken);
  EXPECT_TRUE(d.log->Matching("Dialog.").empty());
}

// Only a non-interactive send-off brings the record into view, before any message.
TEST(DisplayRecordErrors, SendOffBringsTheRecordIntoView) {
  struct Row {
    const char* type;
    Strings keys;
    const char* expected;
    bool interactive = false;
  };
  const char* const selected = "List K101.Let Selected(True); Form.ListItemClick(\"K101\"); ";
  const Row rows[] = {
      {"TrfEditGrid", {}, "List.Let Row(101); "},
      {"TreeView", {"K100", "K101"}, selected},
      {"ListView", {"K101"}, selected},
      {"ListView", {"K7"}, "Form.ListItemClick(Nothing); "},
      {"TrfEditGrid", {}, "", true},
  };
  for (const auto& row : rows) {
    LibraryHarness h;
    h.container->send_off_mode = true;
    h.container->send_off_interactive = row.interactive;
    auto li = OneRecord(h);
    li->hard_rules->rules = {std::make_shared<FakeHardRule>(4, 1, 2001, "Age missing")};
    auto list = std::make_shared<testing::RecordingList>(h.log, row.type, row.keys);
    EXPECT_FALSE(h.shared->DisplayRecordErrors(li, false, list));
    EXPECT_EQ(h.log->Joined({"List", "Form.ListItemClick", "Dialog.Let Feedback"}),
              row.expected + std::string("Dialog.Let Feedback(\"Age missing\")"))
        << row.type << row.interactive;
  }
}

}  // namespace
}  // namespace kw
