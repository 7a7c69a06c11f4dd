// AssessMMLOandAMMailingFees: the send-off flag, the preparation, the display of what it broke.
#include "tests/doubles/library_test.h"

namespace kw {
namespace {

// A family-groups business object: the business-object double with the assessment members.
class FakeFamilyGroups : public FakeLI, public FamilyGroups {
 public:
  explicit FakeFamilyGroups(std::shared_ptr<testing::CallLog> log) : FakeLI(std::move(log), 7, "LIFamilyGroups") {}
  std::string TypeName() const override { return "FamilyGroups"; }
  void SendOffValidation(bool sending_off) override { FakeLI::SendOffValidation(sending_off); }
  void AssessPrepare() override { Hit("AssessPrepare"); }
  Variant AssessState() override { return Got("AssessState", state); }
  void AssessMMLOandAMMailingFees(int32_t assessment, bool force) override {
    Hit("AssessMMLOandAMMailingFees", assessment, force);
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

std::string AssessmentCalls(const testing::CallLog& log) {
  return log.Joined({"LI.Let SendOffValidation", "LI.AssessPrepare", "LI.Get AssessState", "LI.AssessMMLOandAM",
                     "Dialog.Let Feedback", "Screen."});
}

// Without records the preparation is skipped, yet the display still sets and resets the pointer.
TEST(AssessMMLOandAMMailingFees, PreparesAroundTheAssessmentOnlyWithRecordsAndErrorsCarryTheTrail) {
  LibraryHarness h;
  auto groups = std::make_shared<FakeFamilyGroups>(h.log);
  groups->AddRecord({Variant::Text("1"), Variant::Text("home")});
  groups->on_assess = [](FakeFamilyGroups& g) {
    g.hard_rules->rules = {std::make_shared<testing::FakeHardRule>(3, 2, 4101, "Mailing fee missing")};
  };
  h.shared->AssessMMLOandAMMailingFees(groups, 2, true);
  EXPECT_EQ(
      AssessmentCalls(*h.log),
      "LI.Let SendOffValidation(False); LI.AssessPrepare(); LI.Get AssessState(); LI.AssessMMLOandAMMailingFees(2, "
      "True); Dialog.Let Feedback(\"Mailing fee missing\"); LI.AssessPrepare(); LI.Get AssessState()");

  ScopedService<Screen> screen(std::make_shared<PointerLog>(h.log));
  auto without = std::make_shared<FakeFamilyGroups>(h.log);
  h.log->Clear();
  h.shared->AssessMMLOandAMMailingFees(without, 0, false);
  EXPECT_EQ(AssessmentCalls(*h.log),
            "LI.Let SendOffValidation(False); LI.AssessMMLOandAMMailingFees(0, False); "
            "Screen.Let MousePointer(11); Screen.Let MousePointer(0)");

  groups->state = Variant::Long(40000);
  EXPECT_TRUE(RaisedAt(Raised([&] { h.shared->AssessMMLOandAMMailingFees(groups, 1, false); }), err::kOverflow,
                       "AssessMMLOandAMMailingFees", 30));
  EXPECT_TRUE(RaisedAt(Raised([&] { h.shared->AssessMMLOandAMMailingFees(std::make_shared<FakeLI>(h.log), 1, false); }),
                       err::kTypeMismatch, "AssessMMLOandAMMailingFees", 10));
}

// The business object hears a send-off only while a send-off runs without messages.
TEST(AssessMMLOandAMMailingFees, SendOffFlagFollowsTheContainer) {
  struct Row {
    bool send_off_mode;        // the container's SendOffValidationMode
    bool interactive;          // the container's SendOffInteractive
    const char* object_hears;  // what the assessment writes into the object's SendOffValidation
  };
  const Row rows[] = {
      {.send_off_mode = false, .interactive = false, .object_hears = "False"},
      {.send_off_mode = false, .interactive = true, .object_hears = "False"},
      {.send_off_mode = true, .interactive = true, .object_hears = "False"},
      {.send_off_mode = true, .interactive = false, .object_hears = "True"},
  };
  for (const Row& row : rows) {
    LibraryHarness h;
    h.container->send_off_mode = row.send_off_mode;
    h.container->send_off_interactive = row.interactive;
    auto groups = std::make_shared<FakeFamilyGroups>(h.log);
    h.shared->AssessMMLOandAMMailingFees(groups, 1, false);
    EXPECT_EQ(h.log->Joined({"LI.Let SendOffValidation", "Container.Get SendOffInteractive"}),
              "Container.Get SendOffInteractive(); LI.Let SendOffValidation(" + std::string(row.object_hears) + ")")
        << "send-off mode " << row.send_off_mode << ", interactive " << row.interactive;
  }
}

}  // namespace
}  // namespace kw
