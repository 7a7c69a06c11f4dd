// LibraryHarness: a fresh world per library test, with its own registry, screen, clock and siblings.
#pragma once

#include <memory>

#include "tests/doubles/call_log.h"
#include "tests/doubles/recording_siblings.h"
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/clock.h"
#include "ui_shared/platform/screen.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/platform/windows.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw::testing {

// 5 March 2004, 10:00:00.
inline constexpr double kHarnessNow = 38051.0 + 10.0 / 24.0;

class LibraryHarness {
 public:
  // Registers the siblings; with `create` true also builds `shared` and binds `form` as owner.
  explicit LibraryHarness(bool create = true) {
    registry->Register(std::string(class_ids::kContainerLocator),
                       [this] { return std::make_shared<RecordingLocator>(log, container); });
    registry->Register(std::string(class_ids::kFormsPersist), [this] { return persist; });
    registry->Register(std::string(class_ids::kFeedbackForm), [this] { return ++dialogs_created, dialog; });
    registry->Register(std::string(class_ids::kErrorLog),
                       [this] { return ++error_logs_created, std::make_shared<RecordingErrorLog>(log); });
    registry->Register(std::string(class_ids::kDBResource), [] { return std::make_shared<RecordingDBResource>(); });
    if (!create) return;
    shared = std::make_shared<SharedProcedures>();
    shared->OwnerForm(form);
    log->Clear();
  }
  ~LibraryHarness() {
    if (shared) shared->OwnerForm(nullptr);
    for (auto& s : extra_) s->OwnerForm(nullptr);
  }
  LibraryHarness(const LibraryHarness&) = delete;
  LibraryHarness& operator=(const LibraryHarness&) = delete;

  // Builds another SharedProcedures object over the same siblings, bound to `owner`.
  SharedProceduresPtr Create(FormPtr owner) {
    extra_.push_back(std::make_shared<SharedProcedures>());
    extra_.back()->OwnerForm(std::move(owner));
    return extra_.back();
  }

  std::shared_ptr<CallLog> log = std::make_shared<CallLog>();
  ScopedService<ClassRegistry> registry{std::make_shared<ClassRegistry>()};
  ScopedService<Screen> screen{std::make_shared<Screen>()};
  std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>(kHarnessNow);
  ScopedService<Clock> clock_service{clock};
  ScopedService<WindowTable> windows{std::make_shared<WindowTable>()};

  std::shared_ptr<RecordingContainer> container = std::make_shared<RecordingContainer>(log);
  std::shared_ptr<RecordingPersist> persist = std::make_shared<RecordingPersist>(log);
  std::shared_ptr<RecordingFeedback> dialog = std::make_shared<RecordingFeedback>(log);
  std::shared_ptr<RecordingForm> form = std::make_shared<RecordingForm>(log);
  int dialogs_created = 0;
  int error_logs_created = 0;

  SharedProceduresPtr shared;

 private:
  std::vector<SharedProceduresPtr> extra_;
};

}  // namespace kw::testing
