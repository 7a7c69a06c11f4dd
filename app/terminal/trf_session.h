// TrfSession: one run of the program: the application's services in force (class registry,
// container, persist state, feedback desk, screen pointer, database), the screens, the terminal
// front end and the commands. Scripts, the tour and the interactive session all run through it.
#pragma once

#include <istream>
#include <memory>
#include <ostream>
#include <string>

#include "app/terminal/command_interpreter.h"
#include "app/siblings/feedback_dialog.h"
#include "app/siblings/screen_container.h"
#include "app/screens/screen_host.h"
#include "app/siblings/siblings.h"
#include "app/terminal/transcript.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/screen.h"
#include "ui_shared/platform/service.h"

namespace trf {

class TrfSession {
 public:
  // Opens (or creates with its sample data) the database at `db_path` and shows nothing yet.
  // `terminal` is where questions are asked when no answer is queued; nothing declines them.
  TrfSession(const std::string& db_path, std::ostream& out, std::istream* terminal);
  ~TrfSession();
  TrfSession(const TrfSession&) = delete;
  TrfSession& operator=(const TrfSession&) = delete;

  // Runs a script (see CommandInterpreter::RunScript): 0 when every line ran and held.
  int RunScript(std::istream& script, bool echo);
  // The interactive session: a prompt per command until `quit` or the end of input. Failed
  // commands are reported and the session goes on. Leaving the program leaves the current screen
  // first, so that its changes are saved; when the screen refuses, a second `quit` leaves
  // without them.
  void RunInteractive(std::istream& in);

  CommandInterpreter& Interpreter() { return interpreter_; }
  ScreenHost& Host() { return *host_; }
  Transcript& Output() { return transcript_; }

 private:
  // Runs the current screen's leave step; true when there is none or it let go.
  bool LeaveCurrentScreen();

  Transcript transcript_;
  std::shared_ptr<ScreenContainer> container_ = std::make_shared<ScreenContainer>();
  kw::ScopedService<kw::ClassRegistry> registry_;
  kw::ScopedService<ScreenContainer> container_in_force_;
  kw::ScopedService<PersistState> persist_;
  kw::ScopedService<FeedbackDesk> desk_;
  kw::ScopedService<kw::Screen> screen_;
  // Puts the application's database back as it was when the session ends.
  kw::ScopedService<AppDatabase> database_;
  std::unique_ptr<ScreenHost> host_;
  CommandInterpreter interpreter_;
};

}  // namespace trf
