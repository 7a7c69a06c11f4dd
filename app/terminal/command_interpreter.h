// CommandInterpreter: the commands a person types and a script holds, the same in both modes. A
// line is a verb and its words; a command may take the rest of the line as one text. `expect`,
// `expect refused`, `help` and `quit` are built in; unknown commands and wrong argument counts are
// clear errors that never end an interactive session. Quitting, and the end of a script, run the
// leave step the session gives; when it refuses, the session goes on and a second `quit` leaves.
#pragma once

#include <functional>
#include <istream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "app/terminal/transcript.h"

namespace trf {

// A command line the terminal cannot run as written (a missing number, an unknown button); printed
// as an error, and the session goes on.
class CommandError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class CommandInterpreter {
 public:
  struct Command {
    std::string verb;
    std::string usage;  // e.g. "set <field> <value>"
    std::string help;   // one line
    size_t words = 0;   // words before the optional rest of the line
    bool takes_rest = false;
    bool rest_required = false;
    std::function<void(const std::vector<std::string>& args)> run;
  };

  enum class Outcome { kContinue, kQuit, kFailed };

  explicit CommandInterpreter(Transcript& transcript);

  void Add(Command command);
  // A line `help` prints after the commands.
  void AddHelpNote(std::string note) { help_notes_.push_back(std::move(note)); }
  // The leave step of quitting: true when the program may end; when it answers false it has said
  // why, and the next `quit` leaves without it.
  void SetLeaveStep(std::function<bool()> leave) { leave_ = std::move(leave); }
  // Runs one line. A failed `expect`, an unknown command, bad arguments or an error raised by a
  // command answer kFailed after printing why; blank lines and comments (#) do nothing. `quit`
  // answers kQuit once the leave step let go (or it refused before), kContinue when it refused.
  Outcome Execute(std::string_view line);
  // Runs every line of a script; stops at `quit`. A refused command followed by `expect refused
  // <text>` holding <text> goes on. At the end of the script the leave step runs as at `quit`.
  // Answers 0 when every line ran, every expectation held and the end let go; 1 otherwise (after
  // the first failure the script stops). The echo leaves out `say`, `expect` and `pause` lines.
  int RunScript(std::istream& script, bool echo);

  const std::vector<Command>& Commands() const { return commands_; }

 private:
  void PrintHelp();
  const Command* Find(std::string_view verb) const;
  Outcome Expect(std::string_view wanted);
  Outcome Quit();
  // Runs a command other than `expect` and `quit`.
  Outcome Run(const std::string& verb, std::string_view trimmed);

  Transcript& transcript_;
  std::vector<Command> commands_;
  std::vector<std::string> help_notes_;
  std::function<bool()> leave_;
  // The previous command failed (for `expect refused`); a quit was refused and not followed by
  // another command (the next quit leaves).
  bool last_refused_ = false;
  bool quit_refused_ = false;
};

}  // namespace trf
