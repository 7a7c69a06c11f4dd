// The library's published classes: creatable by their identifiers once registered.
#include <gtest/gtest.h>

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/registration.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {
namespace {

// SharedProcedures is registered, yet creating it fails while its siblings cannot be created.
TEST(FormContractClass, LibraryClassesAreRegisteredByIdentifier) {
  ScopedService<ClassRegistry> registry(std::make_shared<ClassRegistry>());
  RegisterLibraryClasses();
  EXPECT_EQ(CreateObjectAs<I_FRM_Shared>(class_ids::kFormContract)->TypeName(), "I_FRM_Shared");
  EXPECT_TRUE(registry->IsRegistered(class_ids::kSharedProcedures));
  EXPECT_THROW((void)CreateObject(class_ids::kSharedProcedures), Error);
}

}  // namespace
}  // namespace kw
