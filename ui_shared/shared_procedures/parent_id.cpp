// SharedProcedures: the parent id of a new record, taken from the current home or month.
#include "ui_shared/location.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {
namespace {
// What the container answers for a class whose records belong to the current home or month.
constexpr int32_t kBelongsToHome = 4;
constexpr int32_t kBelongsToMonth = 5;
// The field position that holds a record's parent id.
constexpr int32_t kParentIdPosition = 2;
}  // namespace

void SharedProcedures::SetHomesOrHomeMontlyStatsID(const LIPtr& objLI) {
  Guarded(kSharedProceduresClass, "SetHomesOrHomeMontlyStatsID", [&](Line& line) {
    line = 10;
    const std::string class_number = std::to_string(objLI->ClassEnum());
    line = 20;
    const int32_t parent_kind = m_objTrfContainer->ClassDependsOn(Variant::Text(class_number));
    line = 30;
    if (parent_kind == kBelongsToHome) {
      objLI->FieldValue(kParentIdPosition, Variant::Text(CurrentH_HomesID()));
    } else if (parent_kind == kBelongsToMonth) {
      objLI->FieldValue(kParentIdPosition, Variant::Text(CurrentH_HomeMonthlyStatsID()));
    }
  });
}

}  // namespace kw
