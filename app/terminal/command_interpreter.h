// CommandInterpreter: the commands a person types and a script holds, the same in both modes. A
// line is a verb and its words; a command may take the rest of the line as one text. `expect`,
// `help` and `quit` are built in; unknown commands and wrong argument counts are clear errors
// that never end an interactive session.
#pragma once

#include <functional>
#include <stdexcept>
#include <istream>
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
  // Runs one line. A failed `expect`, an unknown command, bad arguments or an error raised by a
  // command answer kFailed after printing why; blank lines and comments (#) do nothing.
  Outcome Execute(std::string_view line);
  // Runs every line of a script; stops at `quit`. Answers 0 when every line ran and every
  // expectation held, 1 otherwise (after the first failure the script stops).
  int RunScript(std::istream& script, bool echo);

  const std::vector<Command>& Commands() const { return commands_; }

 private:
  void PrintHelp();
  const Command* Find(std::string_view verb) const;

  Transcript& transcript_;
  std::vector<Command> commands_;
};

// Splits `line` into a verb, `words` words and (optionally) the rest of the line, trimmed.
std::vector<std::string> SplitCommandLine(std::string_view line, size_t words, bool takes_rest);

}  // namespace trf
