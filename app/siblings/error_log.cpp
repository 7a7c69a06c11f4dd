// The reference error log and its registration.
#include "app/siblings/error_log.h"

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/class_registry.h"

namespace trf {

void AppErrorLog::Add(const kw::Error& error) {
  errors_.push_back(error);
  journal_->errors.push_back(error);
}

void RegisterErrorLog(kw::ClassRegistry& registry, const std::shared_ptr<ErrorJournal>& journal) {
  registry.Register(std::string(kw::class_ids::kErrorLog),
                    [journal] { return std::make_shared<AppErrorLog>(journal); });
}

}  // namespace trf
