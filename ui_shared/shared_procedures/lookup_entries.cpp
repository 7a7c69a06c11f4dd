// SharedProcedures: completion of data records from a lookup table.
#include <tuple>

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/numbers.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {

void SharedProcedures::CheckTableEntries(const LIPtr& objUtility, int16_t intUtilityProperty, const LIPtr& objData,
                                         int16_t intDataProperty, enumHomeMonth, int16_t, bool blnAutoFillParent) {
  Guarded(class_ids::kSharedProcedures, "CheckTableEntries", [&](Line& line) {
    line = 10;
    // Counts and positions are 16-bit numbers here: more than 32767 records raise 6.
    if (ToInt16(objUtility->Count()) == ToInt16(objData->Count())) return;
    line = 20;
    const int16_t data_count = ToInt16(objData->Count());
    const int32_t utility_position = intUtilityProperty + 1;
    const int32_t data_position = intDataProperty + 1;
    line = 30;
    const int16_t lookup_count = ToInt16(objUtility->Count());
    for (int32_t i = 1; i <= lookup_count; ++i) {
      line = 40;
      const Variant lookup_value =
          objUtility->FieldValueAt(Variant::Integer(static_cast<int16_t>(i)), utility_position);
      bool found = false;
      for (int32_t d = 1; d <= data_count && !found; ++d)
        found = VariantEquals(objData->FieldValueAt(Variant::Integer(static_cast<int16_t>(d)), data_position),
                              lookup_value);
      if (found) continue;
      line = 50;
      objData->AddNew();
      line = 60;
      if (blnAutoFillParent) SetHomesOrHomeMontlyStatsID(objData);
      line = 70;
      objData->FieldValue(data_position, lookup_value);
      line = 80;
      std::ignore = objData->Save(true);  // forced: the lookup entry is stored whatever its rules say
    }
  });
}

}  // namespace kw
