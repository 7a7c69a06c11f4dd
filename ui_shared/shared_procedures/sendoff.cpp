// SharedProcedures: the validation of a business object before its TRF is sent off.
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/screen.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {

bool SharedProcedures::ValidateForSendoff(const LIPtr& objLI, bool blnAllRecords, const ObjectPtr& objListObject,
                                          const ObjectPtr& itmCurrentItem, bool DisableMessages) {
  return Guarded(class_ids::kSharedProcedures, "ValidateForSendoff", [&](Line& line) {
    line = 10;
    Screen& screen = Service<Screen>::Get();
    const int16_t saved_pointer = screen.MousePointer();
    screen.MousePointer(kPointerHourglass);
    // Every answer other than an error puts the pointer found on entry back.
    const auto finish = [&](bool ready) {
      screen.MousePointer(saved_pointer);
      return ready;
    };
    line = 20;
    if (!objLI) return finish(true);
    line = 30;
    const bool empty = objLI->Count() == 0;
    line = 40;
    objLI->SuspendValidation(false);
    line = 50;
    if (!empty && !OnSave(objLI, false)) return finish(false);
    line = 60;
    bool valid = true;
    if (blnAllRecords)
      valid = ValidateLI(objLI, objListObject, itmCurrentItem, DisableMessages);
    else if (!empty)
      valid = ValidateRecord(objLI, DisableMessages, nullptr, nullptr, true);
    if (!valid) return finish(false);
    line = 70;
    if (!empty && !OnSave(objLI, false)) return finish(false);
    return finish(true);
  });
}

}  // namespace kw
