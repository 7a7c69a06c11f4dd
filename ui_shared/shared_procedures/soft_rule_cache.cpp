// SharedProcedures: the soft-rule caches that remember which soft rules the user has settled, for
// single records and for record groups, so that the same rule is not raised again while its value
// stays the same.
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/clock.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/platform/text.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {

void SharedProcedures::ClearSoftRuleCache() {
  Guarded(class_ids::kSharedProcedures, "ClearSoftRuleCache", [&](Line& line) {
    line = 10;
    m_dicRecordGroupCache->RemoveAll();
    line = 20;
    m_dicRecordCache->RemoveAll();
    line = 30;
    m_dtmLastCacheClearing = Service<Clock>::Get().Now();
  });
}

void SharedProcedures::CheckSoftRuleCache() {
  Guarded(class_ids::kSharedProcedures, "CheckSoftRuleCache", [&](Line& line) {
    line = 10;
    const double days = Service<Clock>::Get().Now() - m_dtmLastCacheClearing;
    line = 20;
    if (days > 1.0) ClearSoftRuleCache();
  });
}

std::string SharedProcedures::SoftRuleCacheKey(const std::string& owner, int32_t rule_number) {
  return owner + "#" + std::to_string(rule_number);
}

std::string SharedProcedures::SoftRuleCacheValue(const Variant& value) {
  // A rule without a value (null) is cached as the empty text, as concatenation would read it.
  return value.IsNull() ? std::string() : text::Trim(value.ToText());
}

}  // namespace kw
