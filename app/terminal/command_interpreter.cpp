// Command parsing, dispatch, expectations and script runs.
#include "app/terminal/command_interpreter.h"

#include <exception>

#include "app/data/database.h"
#include "ui_shared/platform/error.h"
#include "ui_shared/platform/text.h"

namespace trf {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Takes the next word off the front of `s`.
std::string NextWord(std::string_view& s) {
  s = TrimBlanks(s);
  size_t end = 0;
  while (end < s.size() && !IsBlank(s[end])) ++end;
  std::string word(s.substr(0, end));
  s.remove_prefix(end);
  return word;
}

// Splits `line` into a verb, `words` words and (optionally) the rest of the line, trimmed.
std::vector<std::string> SplitCommandWords(std::string_view line, size_t words, bool takes_rest) {
  std::vector<std::string> out;
  std::string_view rest = TrimBlanks(line);
  out.push_back(NextWord(rest));
  for (size_t i = 0; i < words; ++i) {
    std::string word = NextWord(rest);
    if (word.empty()) break;
    out.push_back(std::move(word));
  }
  rest = TrimBlanks(rest);
  if (takes_rest && !rest.empty()) {
    out.emplace_back(rest);
  } else if (!rest.empty()) {
    // Extra words: keep them so the count check reports them.
    while (!rest.empty()) out.push_back(NextWord(rest));
  }
  return out;
}

}  // namespace

CommandInterpreter::CommandInterpreter(Transcript& transcript) : transcript_(transcript) {}

void CommandInterpreter::Add(Command command) { commands_.push_back(std::move(command)); }

const CommandInterpreter::Command* CommandInterpreter::Find(std::string_view verb) const {
  for (const Command& c : commands_)
    if (c.verb == verb) return &c;
  return nullptr;
}

void CommandInterpreter::PrintHelp() {
  auto entry = [this](const std::string& usage, const std::string& help) {
    std::string line = "  " + usage;
    if (line.size() < 28) line.resize(28, ' ');
    transcript_.Line(line + help);
  };
  transcript_.Line("Commands:");
  for (const Command& c : commands_) entry(c.usage, c.help);
  entry("expect <text>", "fail the script unless the output since the previous command holds <text>");
  entry("expect refused <text>", "the previous command was refused, saying <text>; the script goes on");
  entry("help", "this list");
  entry("quit", "leave trf (the current screen's changes are saved first)");
  for (const std::string& note : help_notes_) transcript_.Line(note);
}

CommandInterpreter::Outcome CommandInterpreter::Expect(std::string_view wanted_text) {
  std::string_view wanted = TrimBlanks(wanted_text);
  const bool refusal = wanted.substr(0, 7) == "refused" && (wanted.size() == 7 || IsBlank(wanted[7]));
  if (refusal) wanted = TrimBlanks(wanted.substr(7));
  if (wanted.empty()) {
    transcript_.Line(refusal ? "error: usage: expect refused <text>" : "error: usage: expect <text>");
    return Outcome::kFailed;
  }
  if (refusal && !last_refused_) {
    transcript_.Line("expectation failed: the previous command was not refused");
    return Outcome::kFailed;
  }
  if (transcript_.SinceMark().find(wanted) == std::string::npos) {
    transcript_.Line("expectation failed: the output since the previous command does not contain \"" +
                     std::string(wanted) + "\"");
    return Outcome::kFailed;
  }
  return Outcome::kContinue;
}

CommandInterpreter::Outcome CommandInterpreter::Quit() {
  if (quit_refused_) {
    transcript_.Line("left without saving the changes that could not be saved");
    return Outcome::kQuit;
  }
  if (!leave_ || leave_()) return Outcome::kQuit;
  quit_refused_ = true;
  return Outcome::kContinue;
}

CommandInterpreter::Outcome CommandInterpreter::Execute(std::string_view line) {
  const std::string_view trimmed = TrimBlanks(line);
  if (trimmed.empty() || trimmed.front() == '#') return Outcome::kContinue;
  std::string_view rest = trimmed;
  const std::string verb = NextWord(rest);
  if (verb == "expect") return Expect(rest);
  transcript_.Mark();
  last_refused_ = false;
  if (verb == "quit" || verb == "exit") return Quit();
  quit_refused_ = false;
  const Outcome outcome = Run(verb, trimmed);
  last_refused_ = outcome == Outcome::kFailed;
  return outcome;
}

CommandInterpreter::Outcome CommandInterpreter::Run(const std::string& verb, std::string_view trimmed) {
  if (verb == "help") {
    PrintHelp();
    return Outcome::kContinue;
  }
  const Command* command = Find(verb);
  if (!command) {
    transcript_.Line("error: unknown command \"" + verb + "\"; type help for the list");
    return Outcome::kFailed;
  }
  std::vector<std::string> args = SplitCommandWords(trimmed, command->words, command->takes_rest);
  args.erase(args.begin());
  const size_t max = command->words + (command->takes_rest ? 1 : 0);
  const size_t min = command->words + (command->rest_required ? 1 : 0);
  if (args.size() < min || args.size() > max) {
    transcript_.Line("error: usage: " + command->usage);
    return Outcome::kFailed;
  }
  try {
    command->run(args);
  } catch (const kw::Error& e) {
    transcript_.Line("error: " + SentenceOf(e));
    return Outcome::kFailed;
  } catch (const std::exception& e) {
    transcript_.Line(std::string("error: ") + e.what());
    return Outcome::kFailed;
  }
  return Outcome::kContinue;
}

int CommandInterpreter::RunScript(std::istream& script, bool echo) {
  std::string line;
  int number = 0;
  int refused_at = 0;  // a refused command, waiting for the `expect refused` that may follow
  auto stop = [this](int at) {
    transcript_.Line("script stopped at line " + std::to_string(at));
    return 1;
  };
  while (true) {
    // The next line may have to be waited for: what was written is shown first.
    if (script.rdbuf()->in_avail() <= 0) transcript_.Flush();
    if (!std::getline(script, line)) break;
    ++number;
    const std::string_view trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() == '#') continue;
    std::string_view rest = trimmed;
    const std::string verb = NextWord(rest);
    const bool expects_refusal = verb == "expect" && TrimBlanks(rest).substr(0, 7) == "refused";
    if (refused_at && !expects_refusal) return stop(refused_at);
    if (echo && verb != "say" && verb != "expect" && verb != "pause") transcript_.Echo("> " + std::string(trimmed));
    const Outcome outcome = Execute(line);
    if (outcome == Outcome::kQuit) return 0;
    if (outcome == Outcome::kFailed && (verb == "expect" || refused_at)) return stop(number);
    refused_at = outcome == Outcome::kFailed ? number : 0;
  }
  if (refused_at) return stop(refused_at);
  if (!leave_ || leave_()) return 0;
  transcript_.Line("the script ended with changes that could not be saved (see above)");
  return 1;
}

}  // namespace trf
