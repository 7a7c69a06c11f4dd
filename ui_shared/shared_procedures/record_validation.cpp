// SharedProcedures: validation of a field, of a record and of every record of a business object.
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/numbers.h"
#include "ui_shared/platform/screen.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {

namespace {
// Rule level of the rules that belong to a single field.
constexpr int32_t kFieldLevel = 1;
// The index that means the current record.
constexpr int16_t kCurrentRecord = -1;

// The position at which the business object keeps a field: its number + 1; 6 beyond 32 bits.
int32_t FieldPosition(int32_t field_enum) { return ToInt32(static_cast<double>(field_enum) + 1.0); }
}  // namespace

bool SharedProcedures::ValidateField(const LIPtr& objLI, int32_t lngFieldEnum) {
  return Guarded(class_ids::kSharedProcedures, "ValidateField", [&](Line& line) {
    line = 10;
    I_LI& li = Required(objLI);
    const bool dirty = li.IsDirty();
    const bool is_new = li.IsNew();
    if (!dirty && !is_new) return true;
    Screen& screen = Service<Screen>::Get();
    line = 20;
    screen.MousePointer(kPointerHourglass);
    line = 30;
    if (li.Count() == 0) {
      screen.MousePointer(kPointerDefault);
      return true;
    }
    line = 40;
    const HardRulesPtr hard_rules = li.HardRules();
    if (!hard_rules->IsValid(lngFieldEnum, kFieldLevel, false)) {
      bool shown = false;
      for (const HardRulePtr& rule : hard_rules->Rules()) {
        if (rule->RuleLevel() != kFieldLevel) continue;
        line = 50;
        ShowHardRule(*rule);
        shown = true;
      }
      if (shown) {
        line = 60;
        screen.MousePointer(kPointerDefault);
        return false;
      }
    }
    bool accepted = true;
    for (;;) {
      line = 70;
      const SoftRulesPtr soft_rules = li.SoftRules();
      if (soft_rules->IsValid(lngFieldEnum, kFieldLevel)) break;
      line = 80;
      for (const SoftRulePtr& rule : soft_rules->Rules()) {
        if (rule->RuleLevel() != kFieldLevel || !rule->Broken()) continue;
        line = 90;
        if (rule->IsQuestion()) {
          if (ShowFeedbackForm(rule->Feedback(), rule->MoreFeedback(), kRuleQuestion, rule->RuleNumber()) == 0)
            rule->Broken(false);
          else
            accepted = false;
        } else {
          ShowFeedbackForm(rule->Feedback(), rule->MoreFeedback(), kRuleNotice, rule->RuleNumber());
          rule->Broken(false);
        }
      }
      line = 100;
      if (!soft_rules->IsValid(lngFieldEnum, kFieldLevel)) break;
      line = 110;
      const int32_t position = FieldPosition(lngFieldEnum);
      line = 120;
      li.FieldValue(position, li.FieldValueAt(Variant::Integer(kCurrentRecord), position));
    }
    line = 130;
    screen.MousePointer(kPointerDefault);
    return accepted;
  });
}

bool SharedProcedures::ValidateRecord(const LIPtr& objLI, bool DisableMessage, const ObjectPtr& objListObject,
                                      const ObjectPtr& /*itmCurrentItem*/, bool blnValidateLastControl) {
  return Guarded(class_ids::kSharedProcedures, "ValidateRecord", [&](Line& line) {
    line = 10;
    if (blnValidateLastControl && !IsNonInteractiveSendOff()) Owner().ValidateMyControls();
    line = 20;
    I_LI& li = Required(objLI);
    if (li.Count() == 0) return true;
    line = 30;
    RunRecordRules(li);
    line = 40;
    if (li.IsValid()) return true;
    line = 50;
    return DisplayRecordErrors(objLI, DisableMessage, objListObject, 0, 0, true);
  });
}

bool SharedProcedures::ValidateLI(const LIPtr& objLI, const ObjectPtr& objListObject, const ObjectPtr& itmCurrentItem,
                                  bool DisableMessage) {
  return Guarded(class_ids::kSharedProcedures, "ValidateLI", [&](Line& line) {
    line = 10;
    I_LI& li = Required(objLI);
    const bool empty = li.Count() == 0;
    int16_t position = 0;
    if (!empty) {
      line = 20;
      position = li.CurrentIndex().ToInteger();
      line = 30;
      li.CancelEdit();
      line = 40;
      const int32_t count = li.Count();
      for (int32_t i = 1; i <= count; ++i) {
        line = 50;
        li.CurrentIndex(Variant::Long(i));
        line = 60;
        if (!ValidateRecord(objLI, DisableMessage, objListObject, itmCurrentItem, true)) return false;
      }
    }
    line = 70;
    const bool group_valid = ValidateRecordGroup(objLI, DisableMessage);
    line = 80;
    if (!empty) li.CurrentIndex(Variant::Integer(position));
    return group_valid;
  });
}

void SharedProcedures::RunRecordRules(I_LI& objLI) {
  objLI.SuspendValidation(false);
  objLI.SendOffValidation(IsNonInteractiveSendOff());
  objLI.Validate();
  objLI.SendOffValidation(false);
}

}  // namespace kw
