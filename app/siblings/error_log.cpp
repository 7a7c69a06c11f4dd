// The reference error log and its registration.
#include "app/siblings/error_log.h"

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/service.h"

namespace trf {

void AppErrorLog::Add(const kw::Error& error) {
  errors_.push_back(error);
  kw::Service<ErrorJournal>::Get().errors.push_back(error);
}

void RegisterErrorLog() {
  kw::Service<kw::ClassRegistry>::Get().Register(std::string(kw::class_ids::kErrorLog),
                                                  [] { return std::make_shared<AppErrorLog>(); });
}

}  // namespace trf
