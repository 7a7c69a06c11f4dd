// FakeRecordGroup: a record-group validator double that answers the rules the test gives it, logs
// every call into the shared CallLog, and runs an optional hook inside Validate.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "tests/doubles/call_log.h"
#include "tests/doubles/fake_business_object.h"
#include "ui_shared/contracts/business_objects.h"

namespace kw::testing {

class FakeRecordGroup : public I_RecordGroup, public RecordingDouble {
 public:
  explicit FakeRecordGroup(std::shared_ptr<CallLog> log) : RecordingDouble(std::move(log), "Group") {}
  std::string TypeName() const override { return "FakeRecordGroup"; }

  HardRulesPtr HardRules() override { return Got("HardRules", hard_rules); }
  // Valid while no hard rule is held and no enabled soft rule is broken.
  bool IsValid() override { return Got("IsValid", hard_rules->rules.empty() && soft_rules->IsValid(-1, -1)); }
  void SendOffValidation(bool sending_off) override { Hit("Let SendOffValidation", sending_off); }
  SoftRulesPtr SoftRules() override { return Got("SoftRules", soft_rules); }
  Variant Validate(const std::string& group_key) override {
    Hit("Validate", group_key);
    if (on_validate) on_validate(*this);
    return Variant::Boolean(true);
  }

  std::shared_ptr<FakeHardRules> hard_rules = std::make_shared<FakeHardRules>();
  std::shared_ptr<FakeSoftRules> soft_rules = std::make_shared<FakeSoftRules>();
  std::function<void(FakeRecordGroup&)> on_validate;
};

}  // namespace kw::testing
