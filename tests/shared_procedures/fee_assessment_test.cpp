// AssessMMLOandAMMailingFees: the send-off flag, the preparation around the assessment when the
// object holds records, the display of what the assessment broke, and its errors.
#include <gtest/gtest.h>

#include "tests/doubles/fake_business_object.h"
#include "tests/doubles/harness.h"

namespace kw {
namespace {

using testing::FakeLI;
using testing::LibraryHarness;

// A family-groups business object: the business-object double with the assessment members.
class FakeFamilyGroups : public FakeLI, public FamilyGroups {
 public:
  explicit FakeFamilyGroups(std::shared_ptr<testing::CallLog> log) : FakeLI(std::move(log), 7, "LIFamilyGroups") {}
  std::string TypeName() const override { return "FamilyGroups"; }
  void SendOffValidation(bool sending_off) override { FakeLI::SendOffValidation(sending_off); }
  void AssessPrepare() override { Hit("AssessPrepare"); }
  Variant AssessState() override {
    Hit("Get AssessState");
    return state;
  }
  void AssessMMLOandAMMailingFees(int32_t assessment, bool force) override {
    Hit("AssessMMLOandAMMailingFees", testing::Show(assessment) + ", " + testing::Show(force));
    if (on_assess) on_assess(*this);
  }

  Variant state = Variant::Long(1);
  std::function<void(FakeFamilyGroups&)> on_assess;
};

// A screen that records every pointer it is given.
class PointerLog : public Screen {
 public:
  explicit PointerLog(std::shared_ptr<testing::CallLog> log) : log_(std::move(log)) {}
  void MousePointer(int16_t pointer) override {
    log_->Record("Screen.Let MousePointer(" + std::to_string(pointer) + ")");
    Screen::MousePointer(pointer);
  }
  using Screen::MousePointer;

 private:
  std::shared_ptr<testing::CallLog> log_;
};

// The assessment members of interest, in the order they ran.
std::vector<std::string> AssessmentCalls(const testing::CallLog& log) {
  std::vector<std::string> out;
  for (const auto& e : log.Entries()) {
    for (const char* prefix : {"LI.Let SendOffValidation", "LI.AssessPrepare", "LI.Get AssessState",
                               "LI.AssessMMLOandAMMailingFees", "Dialog.Let Feedback", "Screen."}) {
      if (e.rfind(prefix, 0) == 0) out.push_back(e);
    }
  }
  return out;
}

// With records: prepare, assess, show the broken rule, prepare again.
TEST(AssessMMLOandAMMailingFees, PreparesAroundTheAssessmentAndShowsWhatItBroke) {
  LibraryHarness h;
  auto groups = std::make_shared<FakeFamilyGroups>(h.log);
  groups->AddRecord({Variant::Text("1"), Variant::Text("home")});
  groups->on_assess = [](FakeFamilyGroups& g) {
    g.hard_rules->rules = {std::make_shared<testing::FakeHardRule>(3, 2, 4101, "Mailing fee missing")};
  };
  h.shared->AssessMMLOandAMMailingFees(groups, 2, true);
  EXPECT_EQ(AssessmentCalls(*h.log), (std::vector<std::string>{
                                         "LI.Let SendOffValidation(False)", "LI.AssessPrepare()",
                                         "LI.Get AssessState()", "LI.AssessMMLOandAMMailingFees(2, True)",
                                         "Dialog.Let Feedback(\"Mailing fee missing\")", "LI.AssessPrepare()",
                                         "LI.Get AssessState()"}));
}

// Without records the preparation is skipped both times, but the assessment runs and the display
// still takes place (its hourglass and default pointer).
TEST(AssessMMLOandAMMailingFees, WithoutRecordsSkipsThePreparation) {
  LibraryHarness h;
  ScopedService<Screen> screen(std::make_shared<PointerLog>(h.log));
  auto groups = std::make_shared<FakeFamilyGroups>(h.log);
  h.shared->AssessMMLOandAMMailingFees(groups, 0, false);
  EXPECT_EQ(AssessmentCalls(*h.log),
            (std::vector<std::string>{"LI.Let SendOffValidation(False)", "LI.AssessMMLOandAMMailingFees(0, False)",
                                      "Screen.Let MousePointer(11)", "Screen.Let MousePointer(0)"}));
}

// Only a non-interactive send-off run marks the object as sending off.
TEST(AssessMMLOandAMMailingFees, SendOffFlagFollowsTheContainer) {
  const struct {
    bool mode, interactive, expected;
  } rows[] = {{false, false, false}, {false, true, false}, {true, true, false}, {true, false, true}};
  for (const auto& row : rows) {
    LibraryHarness h;
    h.container->send_off_mode = row.mode;
    h.container->send_off_interactive = row.interactive;
    auto groups = std::make_shared<FakeFamilyGroups>(h.log);
    h.shared->AssessMMLOandAMMailingFees(groups, 1, false);
    EXPECT_EQ(h.log->Matching("LI.Let SendOffValidation"),
              std::vector<std::string>{std::string("LI.Let SendOffValidation(") + (row.expected ? "True" : "False") + ")"});
    EXPECT_EQ(h.log->CountOf("Container.Get SendOffInteractive()"), 1u);
  }
}

// A state that is no 16-bit number, and an object that is no family-groups object, raise with
// the member's trail.
TEST(AssessMMLOandAMMailingFees, ErrorsCarryTheTrail) {
  LibraryHarness h;
  auto groups = std::make_shared<FakeFamilyGroups>(h.log);
  groups->AddRecord({Variant::Text("1")});
  groups->state = Variant::Long(40000);
  try {
    h.shared->AssessMMLOandAMMailingFees(groups, 1, false);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), err::kOverflow);
    EXPECT_EQ(e.Description().rfind("KW_UIShared.SharedProcedures.AssessMMLOandAMMailingFees:30\r\n", 0), 0u);
  }
  try {
    h.shared->AssessMMLOandAMMailingFees(std::make_shared<FakeLI>(h.log), 1, false);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), err::kTypeMismatch);
    EXPECT_EQ(e.Description().rfind("KW_UIShared.SharedProcedures.AssessMMLOandAMMailingFees:10\r\n", 0), 0u);
  }
}

}  // namespace
}  // namespace kw
