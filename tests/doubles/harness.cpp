// The library test harness.
#include "tests/doubles/harness.h"

#include "ui_shared/contracts/class_ids.h"

namespace kw::testing {

LibraryHarness::LibraryHarness(bool create) {
  registry->Register(std::string(class_ids::kContainerLocator),
                     [this] { return std::make_shared<RecordingLocator>(log, container); });
  registry->Register(std::string(class_ids::kFormsPersist), [this] { return persist; });
  registry->Register(std::string(class_ids::kFeedbackForm), [this] {
    ++dialogs_created;
    return dialog;
  });
  registry->Register(std::string(class_ids::kErrorLog), [this] {
    ++error_logs_created;
    return std::make_shared<RecordingErrorLog>(log);
  });
  registry->Register(std::string(class_ids::kDBResource), [] { return std::make_shared<RecordingDBResource>(); });
  if (create) {
    shared = std::make_shared<SharedProcedures>();
    shared->OwnerForm(form);
    log->Clear();
  }
}

LibraryHarness::~LibraryHarness() {
  if (shared) shared->OwnerForm(nullptr);
  for (auto& s : extra_) s->OwnerForm(nullptr);
}

SharedProceduresPtr LibraryHarness::Create(FormPtr owner) {
  auto s = std::make_shared<SharedProcedures>();
  s->OwnerForm(std::move(owner));
  extra_.push_back(s);
  return s;
}

}  // namespace kw::testing
