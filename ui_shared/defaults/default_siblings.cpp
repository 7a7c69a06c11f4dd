// The default siblings' registration.
#include "ui_shared/defaults/default_siblings.h"

#include <unistd.h>

#include <iostream>

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/defaults/container_locator.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/registration.h"

namespace kw {

void DefaultSiblings::Register(ClassRegistry& registry) const {
  RegisterLibraryClasses(registry);
  registry.Register(class_ids::kContainerLocator,
                    [container = container] { return std::make_shared<SingleContainerLocator>(container); });
  registry.Register(class_ids::kFormsPersist, [persist = persist] { return std::make_shared<FormsPersist>(persist); });
  RegisterFeedbackDialog(registry, desk);
  RegisterErrorLog(registry, journal);
}

DefaultSiblings RegisterDefaultSiblings() {
  DefaultSiblings siblings;
  siblings.desk->presenter = AskOnTerminal(*siblings.desk, std::cin, std::cout, isatty(STDIN_FILENO) == 0);
  siblings.Register(Service<ClassRegistry>::Get());
  return siblings;
}

}  // namespace kw
