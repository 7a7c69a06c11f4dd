// Field, record and whole-object validation.
#include "tests/doubles/library_test.h"

#include <limits>

namespace kw {
namespace {

// A broken hard rule of another level alone is passed over and the soft rules decide.
TEST(ValidateField, UntouchedRecordIsNotCheckedEditedOneShowsOnlyFieldLevelHardRules) {
  LibraryHarness h;
  auto untouched = OneRecord(h);
  untouched->hard_rules->rules = {std::make_shared<FakeHardRule>(2, 1, 1, "Broken")};
  h.screen->MousePointer(5);
  EXPECT_TRUE(h.shared->ValidateField(untouched, 2));
  EXPECT_EQ(h.log->Entries(), (Strings{"LI.IsDirty(Empty)", "LI.Get IsNew()"}));
  EXPECT_EQ(h.screen->MousePointer(), 5);
  auto li = EditedRecord(h);
  li->hard_rules->rules = {std::make_shared<FakeHardRule>(2, 1, 11, "First"),
                           std::make_shared<FakeHardRule>(2, 2, 12, "Record level"),
                           std::make_shared<FakeHardRule>(5, 1, 13, "Other field")};
  EXPECT_FALSE(h.shared->ValidateField(li, 2));
  EXPECT_EQ(h.log->Joined({"Dialog.Let Feedback"}),
            "Dialog.Let Feedback(\"First\"); Dialog.Let Feedback(\"Other field\")");
  EXPECT_EQ(h.screen->MousePointer(), kPointerDefault);
  li->hard_rules->rules = {li->hard_rules->rules[1]};
  h.log->Clear();
  EXPECT_TRUE(h.shared->ValidateField(li, 2));
  EXPECT_TRUE(h.log->Matching("Dialog.").empty());
}

// The field's value is written back after a settled pass; a question the write raises is asked next.
TEST(ValidateField, DeclinedQuestionRefusesSettledPassWritesTheFieldBackAndAsksWhatItRaises) {
  LibraryHarness h;
  auto declined = EditedRecord(h);
  AddSoftRule(*declined, 7, true);
  h.dialog->answers = {"1"};
  EXPECT_FALSE(h.shared->ValidateField(declined, 2));
  EXPECT_TRUE(declined->soft_rules->rules[0]->broken);
  EXPECT_EQ(h.log->Joined({"LI.FieldValue(", "Dialog.Let RuleType"}), "Dialog.Let RuleType(0)");
  auto li = EditedRecord(h);
  AddSoftRule(*li, 7, false);
  li->on_field = [&](FakeLI& self, int32_t, const Variant&) {
    if (self.soft_rules->rules.size() == 1) AddSoftRule(self, 8, true);
  };
  h.dialog->answers = {"", "0"};
  EXPECT_TRUE(h.shared->ValidateField(li, 2));
  EXPECT_THAT(h.log->Joined({"LI.FieldValue"}), StartsWith("LI.FieldValueAt(-1, 3); LI.FieldValue(3, \"Smith\"); "));
  EXPECT_EQ(h.log->Joined({"Dialog.Let Feedback"}), "Dialog.Let Feedback(\"Soft 7\"); Dialog.Let Feedback(\"Soft 8\")");
  EXPECT_EQ(h.screen->MousePointer(), kPointerDefault);
  // The largest field number overflows the position arithmetic when its value is written back.
  const int32_t largest = std::numeric_limits<int32_t>::max();
  AddSoftRule(*li, 9, false, "v", largest);
  EXPECT_THAT([&] { (void)h.shared->ValidateField(li, largest); },
              ThrowsMessage<Error>(StrEq("KW_UIShared.SharedProcedures.ValidateField:110\r\nOverflow")));
  EXPECT_EQ(h.screen->MousePointer(), kPointerHourglass);
}

// A non-interactive send-off skips the controls.
TEST(ValidateRecord, ControlsThenRulesSendOffEmptyAndBrokenRecords) {
  LibraryHarness h;
  auto li = EditedRecord(h);
  EXPECT_TRUE(h.shared->ValidateRecord(li));
  EXPECT_EQ(h.log->Joined(),
            "Container.Get SendOffValidationMode(); Form.ValidateMyControls(); "
            "LI.Let SuspendValidation(False); Container.Get SendOffValidationMode(); "
            "LI.Let SendOffValidation(False); LI.Validate(); LI.Let SendOffValidation(False); "
            "LI.IsValid(Empty)");
  h.container->send_off_mode = true;
  h.log->Clear();
  EXPECT_TRUE(h.shared->ValidateRecord(li));
  EXPECT_EQ(h.log->Joined({"Form.ValidateMyControls", "LI.Let SendOffValidation(True)"}),
            "LI.Let SendOffValidation(True)");
  EXPECT_TRUE(h.shared->ValidateRecord(std::make_shared<FakeLI>(h.log), false, nullptr, nullptr, false));
  li->hard_rules->rules = {std::make_shared<FakeHardRule>(2, 1, 11, "Broken")};
  EXPECT_FALSE(h.shared->ValidateRecord(li));
  EXPECT_EQ(h.dialog->feedback, "Broken");
}

TEST(ValidateLI, StopsAtTheFirstFailingRecordOrAtAPositionBeyond16Bits) {
  LibraryHarness h;
  auto li = Numbered(h, 3, 3);
  li->group_dirty = true;
  li->on_validate = [](FakeLI& self) {
    self.hard_rules->rules.clear();
    if (self.Current() == 2) self.hard_rules->rules = {std::make_shared<FakeHardRule>(0, 2, 5, "Second")};
  };
  EXPECT_FALSE(h.shared->ValidateLI(li));
  EXPECT_EQ(h.log->Joined({"LI.Let CurrentIndex", "LI.Validate", "LI.Get GroupDirty"}),
            "LI.Let CurrentIndex(1); LI.Validate(); LI.Let CurrentIndex(2); LI.Validate()");
  EXPECT_EQ(li->Current(), 2);
  EXPECT_THAT(h.log->Joined(), StartsWith("LI.Get CurrentIndex(); LI.CancelEdit(); "));
  auto far = Numbered(h, 1);
  far->reported_position = 40000;
  EXPECT_THAT([&] { (void)h.shared->ValidateLI(far); },
              ThrowsMessage<Error>(StrEq("KW_UIShared.SharedProcedures.ValidateLI:20\r\nOverflow")));
  EXPECT_EQ(h.log->MatchingAny({"LI.CancelEdit()", "LI.Validate()"}), Strings{});
}

// The position found on entry is restored whatever the group answers.
TEST(ValidateLI, GroupDecidesAndThePositionIsRestored) {
  LibraryHarness h;
  auto validator = std::make_shared<FakeRecordGroup>(h.log);
  validator->hard_rules->rules = {std::make_shared<FakeHardRule>(-1, 3, 9, "Group broken")};
  h.registry->Register("KW01.RGResidents", [&] { return validator; });
  auto li = Numbered(h, 3, 2);
  li->group_dirty = true;
  EXPECT_FALSE(h.shared->ValidateLI(li));
  EXPECT_EQ(h.log->Matching("LI.Let CurrentIndex").back(), "LI.Let CurrentIndex(2)");
  EXPECT_EQ(h.dialog->feedback, "Group broken");

  auto empty = std::make_shared<FakeLI>(h.log);
  empty->group_dirty = true;
  h.log->Clear();
  EXPECT_FALSE(h.shared->ValidateLI(empty));
  EXPECT_TRUE(h.log->Matching("LI.Let CurrentIndex").empty());
  validator->hard_rules->rules.clear();
  EXPECT_TRUE(h.shared->ValidateLI(empty));
}

}  // namespace
}  // namespace kw
