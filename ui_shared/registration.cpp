// Registration of the library's public classes.
#include "ui_shared/registration.h"

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/forms/form_contract.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/rtf/rtf_controller.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {

void RegisterLibraryClasses(ClassRegistry& registry) {
  registry.Register(std::string(class_ids::kSharedProcedures), [] { return std::make_shared<SharedProcedures>(); });
  registry.Register(std::string(class_ids::kFormContract), [] { return std::make_shared<FormContract>(); });
  registry.Register(std::string(class_ids::kRtfController), [] { return std::make_shared<RtfController>(); });
}

void RegisterLibraryClasses() { RegisterLibraryClasses(Service<ClassRegistry>::Get()); }

}  // namespace kw
