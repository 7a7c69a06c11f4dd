// SharedProcedures: validation of a field, of a record and of every record of a business object.
#include "ui_shared/location.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {

void SharedProcedures::RunRecordRules(I_LI& objLI) {
  objLI.SuspendValidation(false);
  objLI.SendOffValidation(IsNonInteractiveSendOff());
  objLI.Validate();
  objLI.SendOffValidation(false);
}

}  // namespace kw
