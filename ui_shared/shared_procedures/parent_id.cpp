// SharedProcedures: the parent id of a new record, taken from the current home or month.
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/contracts/sibling_codes.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {
namespace {
// The field position that holds a record's parent id.
constexpr int32_t kParentIdPosition = 2;
}  // namespace

void SharedProcedures::SetHomesOrHomeMontlyStatsID(const LIPtr& objLI) {
  Guarded(class_ids::kSharedProcedures, "SetHomesOrHomeMontlyStatsID", [&](Line& line) {
    line = 10;
    const std::string class_number = std::to_string(objLI->ClassEnum());
    line = 20;
    const int32_t parent_kind = m_objTrfContainer->ClassDependsOn(Variant::Text(class_number));
    line = 30;
    if (parent_kind == kParentIsHome) {
      objLI->FieldValue(kParentIdPosition, Variant::Text(CurrentH_HomesID()));
    } else if (parent_kind == kParentIsMonthRecord) {
      objLI->FieldValue(kParentIdPosition, Variant::Text(CurrentH_HomeMonthlyStatsID()));
    }
  });
}

}  // namespace kw
