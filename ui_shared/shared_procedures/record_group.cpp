// SharedProcedures: validation of the records of a class taken together, for the current home or
// home month, through a validator object found by name.
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/contracts/data.h"
#include "ui_shared/contracts/sibling_codes.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/text.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {

namespace {
// The validator's name takes the class name from this character on.
constexpr size_t kClassNameTail = 3;
}  // namespace

bool SharedProcedures::ValidateRecordGroup(const LIPtr& objLI, bool DisableMessage) {
  return Guarded(class_ids::kSharedProcedures, "ValidateRecordGroup", [&](Line& line) {
    line = 10;
    if (!objLI) return false;
    I_LI& li = *objLI;
    line = 20;
    if (!SendOffValidationMode() && !li.GroupDirty()) return true;
    line = 30;
    const auto error_log = CreateObjectAs<ErrorLog>(class_ids::kErrorLog);
    std::shared_ptr<I_RecordGroup> validator;
    line = 40;
    try {
      const std::string name = std::string(class_ids::kRecordGroupPrefix) + text::Mid(li.ClassName(), kClassNameTail);
      validator = CreateObjectAs<I_RecordGroup>(name);
    } catch (...) {
      // A class without a validator simply has no group rules.
      error_log->Add(CurrentError());
    }
    line = 50;
    if (error_log->Count() != 0) {
      line = 60;
      li.GroupDirty(false);
      return true;
    }
    line = 70;
    RunGroupRules(*validator, li);
    line = 80;
    if (!validator->IsValid()) {
      const HardRulesPtr hard_rules = validator->HardRules();
      if (!hard_rules->IsValid(-1, -1, false)) {
        for (const HardRulePtr& rule : hard_rules->Rules()) {
          line = 90;
          ShowHardRule(*rule);
        }
        return false;
      }
    }
    line = 100;
    CheckSoftRuleCache();
    line = 110;
    while (!validator->IsValid()) {
      line = 120;
      for (const SoftRulePtr& rule : validator->SoftRules()->Rules()) {
        if (!(rule->Broken() && rule->Enabled())) continue;
        line = 130;
        const std::string key = SoftRuleCacheKey(li.ClassName(), rule->RuleNumber());
        line = 140;
        SettleSoftRule(*m_dicRecordGroupCache, key, *rule, DisableMessage, nullptr);
      }
      line = 150;
      if (!validator->IsValid()) return false;
      line = 160;
      RunGroupRules(*validator, li);
    }
    line = 170;
    li.GroupDirty(false);
    return true;
  });
}

std::string SharedProcedures::GroupKey(I_LI& objLI) {
  const int32_t parent = m_objTrfContainer->ClassDependsOn(Variant::Text(std::to_string(objLI.ClassEnum())));
  return parent == kParentIsMonthRecord ? CurrentH_HomeMonthlyStatsID() : CurrentH_HomesID();
}

void SharedProcedures::RunGroupRules(I_RecordGroup& validator, I_LI& objLI) {
  validator.SendOffValidation(IsNonInteractiveSendOff());
  (void)validator.Validate(GroupKey(objLI));
  validator.SendOffValidation(false);
}

}  // namespace kw
