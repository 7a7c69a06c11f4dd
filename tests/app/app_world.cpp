// The integration-test world over the reference application.
#include "tests/app/app_world.h"

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/registration.h"

namespace trf::testing {

AppWorld::AppWorld() {
  kw::RegisterLibraryClasses();
  RegisterApplicationClasses();
  shared = kw::CreateObjectAs<kw::SharedProcedures>(kw::class_ids::kSharedProcedures);
  shared->OwnerForm(form);
}

AppWorld::~AppWorld() { shared->OwnerForm(nullptr); }

}  // namespace trf::testing
