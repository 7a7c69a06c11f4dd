// The record-group validator double.
#include "tests/doubles/fake_record_group.h"

namespace kw::testing {

HardRulesPtr FakeRecordGroup::HardRules() { Hit("Get HardRules"); return hard_rules; }

bool FakeRecordGroup::IsValid() {
  Hit("Get IsValid");
  return hard_rules->rules.empty() && soft_rules->IsValid(-1, -1);
}

void FakeRecordGroup::SendOffValidation(bool s) { Hit("Let SendOffValidation", Show(s)); }
SoftRulesPtr FakeRecordGroup::SoftRules() { Hit("Get SoftRules"); return soft_rules; }

Variant FakeRecordGroup::Validate(const std::string& group_key) {
  Hit("Validate", Show(group_key));
  if (on_validate) on_validate(*this);
  return Variant::Boolean(true);
}

}  // namespace kw::testing
