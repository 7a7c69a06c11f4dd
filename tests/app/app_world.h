// AppWorld: a fresh reference application for one integration test: its own class registry with
// the library's and the application's classes, the reference container, persist state, feedback
// desk, error journal and screen pointer in force, and a recording form as the owner of what the test creates.
#pragma once

#include <memory>

#include "app/siblings/error_log.h"
#include "app/siblings/feedback_dialog.h"
#include "app/siblings/screen_container.h"
#include "app/siblings/siblings.h"
#include "tests/doubles/recording_siblings.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/screen.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace trf::testing {

class AppWorld {
 public:
  AppWorld();
  ~AppWorld();
  AppWorld(const AppWorld&) = delete;
  AppWorld& operator=(const AppWorld&) = delete;

  kw::ScopedService<kw::ClassRegistry> registry{std::make_shared<kw::ClassRegistry>()};
  kw::ScopedService<kw::Screen> screen{std::make_shared<kw::Screen>()};
  kw::ScopedService<ScreenContainer> container{std::make_shared<ScreenContainer>()};
  kw::ScopedService<PersistState> persist{std::make_shared<PersistState>()};
  kw::ScopedService<FeedbackDesk> desk{std::make_shared<FeedbackDesk>()};
  kw::ScopedService<ErrorJournal> journal{std::make_shared<ErrorJournal>()};

  std::shared_ptr<kw::testing::CallLog> log = std::make_shared<kw::testing::CallLog>();
  std::shared_ptr<kw::testing::RecordingForm> form = std::make_shared<kw::testing::RecordingForm>(log);
  // Created by its identifier through the registry, bound to `form`.
  kw::SharedProceduresPtr shared;
};

}  // namespace trf::testing
