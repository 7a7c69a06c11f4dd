// ScreenWorld: the program's screens on a fresh sample database for one integration test: the
// host with every registered screen, the screen commands, and a feedback desk that writes each
// dialog into the transcript and answers with the queued answers (declining when none is queued).
#pragma once

#include <memory>
#include <sstream>
#include <string>

#include "app/terminal/command_interpreter.h"
#include "app/siblings/error_log.h"
#include "app/siblings/feedback_dialog.h"
#include "app/siblings/screen_container.h"
#include "app/screens/screen_host.h"
#include "app/siblings/siblings.h"
#include "app/terminal/transcript.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/screen.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/platform/windows.h"

namespace trf::testing {

class ScreenWorld {
 public:
  ScreenWorld();
  ScreenWorld(const ScreenWorld&) = delete;
  ScreenWorld& operator=(const ScreenWorld&) = delete;

  // Makes home 1 (Maple House) and its active March (month record 3, type STD) the context.
  void UseMapleHouseMarch();
  // Runs one command line; the output it wrote is in Output().
  CommandInterpreter::Outcome Run(const std::string& line);
  // What the last command wrote.
  const std::string& Output() const { return transcript.SinceMark(); }
  // The number of rows `sql` counts (or the first column of its first row).
  int32_t Count(const std::string& sql);

  std::shared_ptr<Database> database;
  kw::ScopedService<AppDatabase> app_database;
  kw::ScopedService<kw::ClassRegistry> registry{std::make_shared<kw::ClassRegistry>()};
  kw::ScopedService<kw::Screen> screen{std::make_shared<kw::Screen>()};
  kw::ScopedService<kw::WindowTable> windows{std::make_shared<kw::WindowTable>()};
  std::shared_ptr<ScreenContainer> screen_container = std::make_shared<ScreenContainer>();
  kw::ScopedService<ScreenContainer> container{screen_container};
  kw::ScopedService<PersistState> persist{std::make_shared<PersistState>()};
  kw::ScopedService<FeedbackDesk> desk{std::make_shared<FeedbackDesk>()};
  kw::ScopedService<ErrorJournal> journal{std::make_shared<ErrorJournal>()};
  std::ostringstream out;
  Transcript transcript{out};
  CommandInterpreter interpreter{transcript};
  // Last: its screens go before the services they use.
  std::unique_ptr<ScreenHost> host;
};

}  // namespace trf::testing
