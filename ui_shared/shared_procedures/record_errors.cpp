// SharedProcedures: the record error display, which shows the broken rules of a record one by one,
// settles its soft rules with the user through the record cache, and in a non-interactive
// send-off brings the offending record into view first.
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/control_members.h"
#include "ui_shared/platform/numbers.h"
#include "ui_shared/platform/screen.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/shared_procedures/list_keys.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {

namespace {
// The type name of the editable grid, which is brought to a record through its "Row".
constexpr char kEditGridType[] = "TrfEditGrid";
constexpr char kTreeViewType[] = "TreeView";
// The list key of an entry is this prefix followed by the record key.
// The index that means the current record.
const Variant kCurrentRecord = Variant::Integer(-1);
// The position of the record key.
constexpr int32_t kKeyPosition = 1;
}  // namespace

bool SharedProcedures::DisplayRecordErrors(const LIPtr& objLI, bool DisableMessage, const ObjectPtr& objListObject,
                                           int32_t lngHardRuleNumber, int32_t lngSoftRuleNumber, bool blnRevalidate) {
  return Guarded(class_ids::kSharedProcedures, "DisplayRecordErrors", [&](Line& line) {
    Screen& screen = Service<Screen>::Get();
    line = 10;
    screen.MousePointer(kPointerHourglass);
    line = 20;
    I_LI& li = Required(objLI);
    if (li.Count() != 0) {
      line = 30;
      const std::string record_key = li.FieldValueAt(kCurrentRecord, kKeyPosition).ToText();
      line = 40;
      if (IsNonInteractiveSendOff() && objListObject) {
        if (TypeNameOf(objListObject) == kEditGridType) {
          line = 50;
          LetMember(objListObject, member::kRow, li.FieldValueAt(kCurrentRecord, kKeyPosition));
        } else {
          line = 60;
          SelectListEntry(objListObject, record_key);
          line = 70;
          Owner().ListItemClick(GetMember(objListObject, member::kSelectedItem).ToObject());
        }
      }
      line = 80;
      const HardRulesPtr hard_rules = li.HardRules();
      if (!hard_rules->IsValid(-1, -1, false)) {
        line = 90;
        if (!DisableMessage) {
          for (const HardRulePtr& rule : hard_rules->Rules()) {
            if (lngHardRuleNumber != 0 && lngHardRuleNumber != rule->RuleNumber()) continue;
            line = 100;
            FocusRuleField(li, rule->FieldEnum());
            line = 110;
            ShowHardRule(*rule);
          }
        }
        line = 120;
        screen.MousePointer(kPointerDefault);
        return false;
      }
      line = 130;
      CheckSoftRuleCache();
      line = 140;
      while (!li.IsValid()) {
        line = 150;
        for (const SoftRulePtr& rule : li.SoftRules()->Rules()) {
          if (!(rule->Broken() && rule->Enabled())) continue;
          if (lngSoftRuleNumber != 0 && rule->RuleNumber() != lngSoftRuleNumber) continue;
          line = 160;
          const std::string key =
              SoftRuleCacheKey(li.FieldValueAt(li.CurrentIndex(), kKeyPosition).ToText(), rule->RuleNumber());
          line = 170;
          SettleSoftRule(*m_dicRecordCache, key, *rule, DisableMessage, [&] { FocusRuleField(li, rule->FieldEnum()); });
        }
        line = 180;
        if (!li.IsValid()) {
          line = 190;
          screen.MousePointer(kPointerDefault);
          line = 200;
          li.SendOffValidation(false);
          return false;
        }
        line = 210;
        if (blnRevalidate) RunRecordRules(li);
      }
    }
    line = 220;
    screen.MousePointer(kPointerDefault);
    return true;
  });
}

void SharedProcedures::SelectListEntry(const ObjectPtr& objList, const std::string& strKey) {
  // A list of another kind or a missing entry leaves the selection as it is: the caller goes on
  // with whatever entry the list then reports as selected.
  try {
    if (!objList) return;
    const std::string_view collection = TypeNameOf(objList) == kTreeViewType ? member::kNodes : member::kListItems;
    const ObjectPtr entries = GetMember(objList, collection).ToObject();
    const ObjectPtr entry =
        GetMember(entries, member::kItem, Args{Variant::Text(ListKey(kDefaultKeyPrefix, Variant::Text(strKey)))})
            .ToObject();
    LetMember(entry, member::kSelected, Variant::Boolean(true));
  } catch (...) {
  }
}

void SharedProcedures::FocusRuleField(I_LI& objLI, int32_t field_enum) {
  Owner().SetFocusTo(CreateTag(objLI.ClassEnum(), ToInt16(field_enum)));
}

void SharedProcedures::ShowHardRule(I_HardRule& rule) {
  ShowFeedbackForm(rule.Feedback(), rule.MoreFeedback(), kRuleHard, rule.RuleNumber());
}

void SharedProcedures::SettleSoftRule(Dictionary& cache, const std::string& key, I_SoftRule& rule, bool DisableMessage,
                                      const std::function<void()>& before_message) {
  bool display = true;
  if (cache.Exists(key)) {
    if (SoftRuleCacheValue(rule.Value()) == cache.Item(key)) {
      rule.Broken(false);
      display = false;
    } else {
      cache.Remove(key);
    }
  }
  if (DisableMessage || !display) return;
  if (before_message) before_message();
  if (rule.IsQuestion()) {
    if (ShowFeedbackForm(rule.Feedback(), rule.MoreFeedback(), kRuleQuestion, rule.RuleNumber()) != 0) return;
    rule.Broken(false);
    if (!cache.Exists(key)) cache.Add(key, SoftRuleCacheValue(rule.Value()));
  } else {
    ShowFeedbackForm(rule.Feedback(), rule.MoreFeedback(), kRuleNotice, rule.RuleNumber());
    rule.Broken(false);
    cache.Add(key, SoftRuleCacheValue(rule.Value()));
  }
}

}  // namespace kw
