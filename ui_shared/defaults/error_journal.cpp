// The default error log and its registration.
#include "ui_shared/defaults/error_journal.h"

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/class_registry.h"

namespace kw {

void JournalErrorLog::Add(const Error& error) {
  errors_.push_back(error);
  journal_->errors.push_back(error);
}

void RegisterErrorLog(ClassRegistry& registry, const std::shared_ptr<ErrorJournal>& journal) {
  registry.Register(std::string(class_ids::kErrorLog),
                    [journal] { return std::make_shared<JournalErrorLog>(journal); });
}

}  // namespace kw
