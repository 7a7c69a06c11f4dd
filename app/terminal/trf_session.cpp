// Setting up a run of the program and driving its commands.
#include "app/terminal/trf_session.h"

#include "app/data/trf_database.h"
#include "app/terminal/feedback_presenter.h"
#include "app/terminal/screen_commands.h"

namespace trf {

TrfSession::TrfSession(const std::string& db_path, std::ostream& out, std::istream* terminal, Access access,
                       bool verbose)
    : TrfSession(OpenTrfDatabase(db_path, access), out, terminal, verbose) {}

TrfSession::TrfSession(std::shared_ptr<Database> database, std::ostream& out, std::istream* terminal, bool verbose)
    : transcript_(out), services_(std::move(database)), interpreter_(transcript_) {
  transcript_.SetVerbose(verbose);
  FeedbackDesk& desk = services_.desk();
  desk.presenter = MakeTerminalPresenter(transcript_, desk, terminal);
  host_ = std::make_unique<ScreenHost>(services_.container(), events_);
  RegisterScreens(*host_, services_.database());
  AddScreenCommands(interpreter_, *host_, desk, transcript_);
  interpreter_.Add({"say", "say <text>", "print a line (scripts announce their steps with it)", 0, true, true,
                    [this](const std::vector<std::string>& args) { transcript_.Line(args[0]); }});
  interpreter_.SetLeaveStep([this] { return LeaveForQuit(); });
}

bool TrfSession::LeaveForQuit() {
  ScreenForm* screen = host_->Current();
  try {
    if (host_->LeaveCurrent()) return true;
  } catch (const ScreenRefusal& refusal) {
    transcript_.Line(std::string("error: ") + refusal.what());
  }
  transcript_.Line("the changes on " + screen->Caption() +
                   " are not saved; put them right, or type quit again to leave without them");
  return false;
}

int TrfSession::RunScript(std::istream& script, bool echo) { return interpreter_.RunScript(script, echo); }

void TrfSession::RunInteractive(std::istream& in) {
  transcript_.Line("trf: type help for the commands, go <screen> to move between screens, quit to leave.");
  interpreter_.Execute("go home");
  std::string line;
  while (true) {
    transcript_.Line("");
    const std::string where = host_->Current() ? host_->Current()->Name() : "trf";
    transcript_.Prompt(where + "> ");
    if (!std::getline(in, line)) {
      if (!LeaveForQuit()) transcript_.Line("the input ended; the changes on the current screen were not saved");
      break;
    }
    if (interpreter_.Execute(line) == CommandInterpreter::Outcome::kQuit) break;
  }
}

TrfSession::~TrfSession() { transcript_.Flush(); }

}  // namespace trf
