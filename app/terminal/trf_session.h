// TrfSession: one run of the program `trf`: the application's services, the screens, the terminal
// front end and the commands. Scripts, the tour and the interactive session all run through it.
#pragma once

#include <istream>
#include <memory>
#include <ostream>
#include <string>

#include "app/screens/screen_host.h"
#include "app/siblings/app_services.h"
#include "app/terminal/command_interpreter.h"
#include "app/terminal/terminal_events.h"
#include "app/terminal/transcript.h"

namespace trf {

class TrfSession {
 public:
  // Opens (or creates with its sample data) the database at `db_path` (read-only with `access`
  // read-only, or when the file is not writable) and shows nothing yet. `terminal` is where
  // questions are asked when no answer is queued; nothing declines them. `verbose` prints what
  // only a developer needs.
  TrfSession(const std::string& db_path, std::ostream& out, std::istream* terminal, Access access = Access::kReadWrite,
             bool verbose = false);
  // The same on a database that is open already.
  TrfSession(std::shared_ptr<Database> database, std::ostream& out, std::istream* terminal, bool verbose = false);
  ~TrfSession();
  TrfSession(const TrfSession&) = delete;
  TrfSession& operator=(const TrfSession&) = delete;

  // Runs a script (see CommandInterpreter::RunScript): 0 when every line ran and held.
  int RunScript(std::istream& script, bool echo);
  // The interactive session: a prompt per command until `quit` or the end of input. Failed
  // commands are reported and the session goes on. Leaving the program leaves the current screen
  // first, as moving to another screen does, so that its changes are saved; when the leave step
  // fails (a rule, a lock, a full disk) the session and the edits stay, and a second `quit` leaves
  // without them.
  void RunInteractive(std::istream& in);

  CommandInterpreter& Interpreter() { return interpreter_; }
  ScreenHost& Host() { return *host_; }
  // The services the screens run on (the fuzz target checks the database they leave).
  AppServices& Services() { return services_; }
  Transcript& Output() { return transcript_; }

 private:
  // The leave step of quitting: the current screen is left; when it refuses, says what stays unsaved.
  bool LeaveForQuit();

  Transcript transcript_;
  TerminalEvents events_{transcript_};
  // Built before the screens and destroyed after them.
  AppServices services_;
  std::unique_ptr<ScreenHost> host_;
  CommandInterpreter interpreter_;
};

}  // namespace trf
