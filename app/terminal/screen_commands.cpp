// Screen commands: each one runs a typed operation of the current screen through its refusal path,
// then the screen is shown again (also after a refusal, which is said after it). The command words,
// their parsing and the help of each screen live here, in the terminal.
#include "app/terminal/screen_commands.h"

#include <charconv>
#include <map>
#include <tuple>
#include <utility>

#include "app/business/month_report.h"
#include "app/business/rules.h"
#include "app/terminal/screen_renderer.h"

namespace trf {
namespace {

// A whole number of `text` from `lowest`; a CommandError saying what `what` takes otherwise.
int ParseNumber(const std::string& text, int lowest, const std::string& what) {
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size() || number < lowest)
    throw CommandError(what + " " + std::to_string(lowest) + ", not \"" + text + "\"");
  return number;
}

// What each screen takes at the terminal, after the screen's purpose.
std::string ScreenCommandsHelp(ScreenForm& screen) {
  static const std::map<std::string, std::string> kHelp = {
      {"home", "select <n> makes home n the current home; then go setup to pick its month."},
      {"setup",
       "select <n> makes month n current; click StartTrf, CloseTrf or ReopenTrf to start, close or reopen "
       "the selected month's TRF; reopen <reason> reopens a month that was filed (its send-off passed)."},
      {"families",
       "type <kind> chooses the assessment (all, mail-out, annual, clear); click AssessFeesClick "
       "assesses the mailing fees."},
      {"notes",
       "type <text> (over the selection; \\n in the text breaks the paragraph); select <n> (paragraph n); "
       "set selection <start> <length>; click BoldClick|ItalicClick|UnderlineClick|ColorChangeClick|"
       "AlignLeftClick|AlignCenterClick|AlignRightClick|BulletsClick; save; undo."},
  };
  std::string help;
  const auto found = kHelp.find(screen.Name());
  if (found != kHelp.end()) help = found->second;
  const std::vector<std::string> fields = screen.Fields();
  if (!fields.empty()) {
    std::string names;
    for (const std::string& field : fields) names += (names.empty() ? "" : "|") + field;
    help = "select <n>; set " + names + " <value> (set <field> alone clears it); add; remove; save; undo." +
           (help.empty() ? "" : " " + help);
  }
  return screen.Purpose() + (help.empty() ? "" : " Commands: " + help);
}

// What a field takes, in words: "Monthly fee: an amount from 0.00 to 9,999,999.99".
std::string FieldHelp(const ScreenField& field) {
  const ColumnDescription& column = *field.column;
  std::string takes;
  switch (column.kind) {
    case ColumnKind::kWholeNumber: takes = "a whole number"; break;
    case ColumnKind::kMoney:
      takes = column.bounds
                  ? "an amount from " + AmountText(column.bounds->least) + " to " + AmountText(column.bounds->most)
                  : "an amount";
      break;
    case ColumnKind::kDate: takes = "a date such as 3/5/2004"; break;
    case ColumnKind::kLookup: {
      std::string names;
      for (const std::string& choice : field.choices) names += (names.empty() ? "" : ", ") + choice;
      takes = names.empty() ? "nothing to choose from now" : "one of " + names;
      break;
    }
    case ColumnKind::kText:
    case ColumnKind::kRichText:
      takes = column.max_length > 0 ? "a text of up to " + std::to_string(column.max_length) + " characters" : "a text";
      break;
  }
  return field.name + " = " + field.Caption() + ": " + takes + (column.required ? " (required)" : "");
}

// The fields of a view and what the person may do now, a line each.
std::vector<std::string> ViewHelp(const ScreenView& view) {
  std::vector<std::string> lines;
  for (const ScreenField& field : view.fields) lines.push_back("  " + FieldHelp(field));
  std::string allowed;
  const auto add = [&allowed](bool on, const std::string& what) {
    if (on) allowed += (allowed.empty() ? "" : ", ") + what;
  };
  add(view.allows.add, "add");
  add(view.allows.remove, "remove");
  add(view.allows.save, "save");
  add(view.allows.undo, "undo");
  add(view.allows.send_off, "sendoff");
  for (const ScreenCommand& command : view.allows.commands) add(command.enabled, "click " + command.key);
  lines.push_back("Allowed now: " + (allowed.empty() ? std::string("nothing but moving to another screen") : allowed));
  return lines;
}

// The problem list, numbered: "3. Residents, Tom Reyes, Admission date: error 3111 Admission date ...",
// "5. Residents, Nora Pike, Monthly fee: question 4 from the region: Is the fee right? (asked by ...)".
std::vector<std::string> ProblemLines(const std::vector<Problem>& problems) {
  std::vector<std::string> lines;
  size_t open = 0;
  size_t asked = 0;
  for (size_t i = 0; i < problems.size(); ++i) {
    const Problem& problem = problems[i];
    std::string where = problem.screen + ", " + problem.record;
    if (!problem.field.empty()) where += ", " + problem.field;
    const std::string by =
        problem.accepted_by.empty() ? "" : " by " + problem.accepted_by + " on " + StampText(problem.accepted_at);
    std::string what;
    if (problem.region_question != 0) {
      what = "question " + std::to_string(problem.region_question) + " from the region:";
      ++asked;
    } else {
      what = (problem.hard       ? "error "
              : problem.accepted ? "question (accepted" + by + ") "
                                 : "question ") +
             std::to_string(problem.rule);
    }
    std::string line = std::to_string(i + 1);
    line += ". " + where + ": ";
    line += what;
    line += " ";
    line += problem.message;
    lines.push_back(std::move(line));
    if (problem.StandsInTheWay()) ++open;
  }
  lines.push_back(open == 0 ? "Nothing stands in the way of filing the month."
                            : std::to_string(open) + (open == 1 ? " problem stands" : " problems stand") +
                                  " in the way of filing the month; goto <n> opens one.");
  if (asked > 0) {
    lines.push_back(std::to_string(asked) + (asked == 1 ? " question" : " questions") +
                    " from the region: reply <question> <text> answers one, or reopen the month, put it right and "
                    "file it again.");
  }
  return lines;
}

// A typed line of text: a backslash followed by "n" stands for the line break a command line cannot
// hold.
std::string Unescape(std::string text) {
  for (size_t at = text.find("\\n"); at != std::string::npos; at = text.find("\\n", at + 1)) text.replace(at, 2, "\n");
  return text;
}

}  // namespace

void ShowCurrentScreen(const ScreenHost& host, Transcript& transcript) {
  ScreenForm* screen = host.Current();
  if (!screen) return;
  ScreenView view;
  host.Describe(view);
  for (const std::string& line :
       RenderScreen(screen->Name(), screen->Caption(), host.Container().Bar(), view, transcript.Verbose()))
    transcript.Line(line);
}

void AddScreenCommands(CommandInterpreter& interpreter, ScreenHost& host, FeedbackDesk& desk, Transcript& transcript) {
  using Args = std::vector<std::string>;
  // A command on the current screen, run through its refusal path; the screen is shown again afterwards.
  auto on_screen = [&host, &transcript](const std::function<void(ScreenForm&, const Args&)>& action) {
    return [&host, &transcript, action](const Args& args) {
      if (!host.Current()) throw CommandError("no screen is shown yet; try: go home");
      try {
        host.Perform([&](ScreenForm& screen) { action(screen, args); });
      } catch (const ScreenRefusal&) {
        ShowCurrentScreen(host, transcript);  // as it stands after the refusal, which is said last
        throw;
      }
      ShowCurrentScreen(host, transcript);
    };
  };
  std::string names;
  for (const ScreenPtr& screen : host.Screens()) names += (names.empty() ? "" : "|") + screen->Name();

  interpreter.Add({"go", "go <screen>", "show another screen (" + names + ")", 1, false, false,
                   [&host, &transcript](const Args& args) {
                     std::ignore = host.Go(args[0]);  // where the person ended up is shown next
                     ShowCurrentScreen(host, transcript);
                   }});
  interpreter.Add({"show", "show", "show the current screen again, with what it takes", 0, false, false,
                   [&host, &transcript](const Args&) {
                     ShowCurrentScreen(host, transcript);
                     if (!host.Current()) return;
                     transcript.Line(ScreenCommandsHelp(*host.Current()));
                     ScreenView view;
                     host.Describe(view);
                     for (const std::string& line : ViewHelp(view)) transcript.Line(line);
                   }});
  interpreter.Add({"select", "select <n>", "select row n of the screen's list (paragraph n of the notes)", 1, false,
                   false, on_screen([](ScreenForm& s, const Args& a) {
                     const int n = ParseNumber(a[0], 1, "select takes a row number from");
                     if (NotesEditing* notes = s.Notes())
                       notes->SelectParagraph(n);
                     else
                       s.SelectRow(n);
                   })});
  interpreter.Add({"set", "set <field> <value>", "write a value into a field of the screen (none clears it)", 1, true,
                   false, on_screen([](ScreenForm& s, const Args& a) {
                     const std::string value = a.size() > 1 ? a[1] : std::string();
                     NotesEditing* notes = s.Notes();
                     if (!notes) return s.EditField(a[0], value);
                     if (a[0] != "selection")
                       throw CommandError("the notes have one field, \"selection\": set selection <start> <length>");
                     const size_t blank = value.find(' ');
                     if (blank == std::string::npos)
                       throw CommandError("set selection takes a start and a length: set selection 6 4");
                     notes->SetSelection(
                         ParseNumber(value.substr(0, blank), 0, "the start must be a whole number from"),
                         ParseNumber(value.substr(blank + 1), 0, "the length must be a whole number from"));
                   })});
  interpreter.Add({"save", "save", "save the screen's current record", 0, false, false,
                   on_screen([](ScreenForm& s, const Args&) { s.SaveScreen(); })});
  interpreter.Add({"add", "add", "add a record to the screen's list", 0, false, false,
                   on_screen([](ScreenForm& s, const Args&) { s.AddRecord(); })});
  interpreter.Add({"remove", "remove", "remove the selected record", 0, false, false,
                   on_screen([](ScreenForm& s, const Args&) { s.RemoveRecord(); })});
  interpreter.Add({"undo", "undo", "discard the screen's unsaved edits", 0, false, false,
                   on_screen([](ScreenForm& s, const Args&) { s.UndoEdits(); })});
  interpreter.Add({"type", "type <text>", "type text into the screen's combo box (or the notes)", 0, true, true,
                   on_screen([](ScreenForm& s, const Args& a) {
                     if (NotesEditing* notes = s.Notes())
                       notes->InsertText(Unescape(a[0]));
                     else
                       s.Choose(a[0]);
                   })});
  interpreter.Add({"click", "click <button key>", "click a button of the command bar", 1, false, false,
                   [&host, &transcript](const Args& a) {
                     if (!host.Current()) throw CommandError("no screen is shown yet; try: go home");
                     if (!host.Click(a[0]))
                       throw CommandError("no available button \"" + a[0] + "\" on the command bar");
                     ShowCurrentScreen(host, transcript);
                   }});
  interpreter.Add({"sendoff", "sendoff", "check every screen before the TRF is sent off", 0, false, false,
                   [&host, &transcript](const Args&) {
                     host.SendOff();
                     ShowCurrentScreen(host, transcript);
                   }});
  // The problems as `problems` last listed them, for `goto`.
  auto listed = std::make_shared<std::vector<Problem>>();
  interpreter.Add({"problems", "problems", "list what stands between the month and its filing, numbered", 0, false,
                   false, [&host, &transcript, listed](const Args&) {
                     *listed = host.Problems();
                     for (const std::string& line : ProblemLines(*listed)) transcript.Line(line);
                   }});
  interpreter.Add({"goto", "goto <n>", "open the screen of problem n on its record and field", 1, false, false,
                   [&host, &transcript, listed](const Args& a) {
                     const int n = ParseNumber(a[0], 1, "goto takes a problem number from");
                     if (static_cast<size_t>(n) > listed->size())
                       throw CommandError("there is no problem " + a[0] + "; problems lists them");
                     host.Open((*listed)[static_cast<size_t>(n - 1)]);
                     ShowCurrentScreen(host, transcript);
                   }});
  interpreter.Add({"history", "history [field]", "list the changes of the current record (of one field), oldest first",
                   0, true, false, [&host, &transcript](const Args& a) {
                     if (!host.Current()) throw CommandError("no screen is shown yet; try: go home");
                     std::vector<Change> changes;
                     host.Perform([&](ScreenForm& s) { changes = s.History(a.empty() ? "" : a[0]); });
                     if (changes.empty()) transcript.Line("no change of this record is on record");
                     for (const Change& change : changes) transcript.Line(host.Current()->ChangeLine(change));
                   }});
  interpreter.Add({"reopen", "reopen <reason>", "reopen the selected filed month of TRF Setup, saying why", 0, true,
                   true, on_screen([](ScreenForm& s, const Args& a) {
                     MonthSetup* setup = s.Setup();
                     if (!setup) throw CommandError("a filed month is reopened in TRF Setup: go setup, select it");
                     setup->ReopenFiled(a[0]);
                   })});
  interpreter.Add({"reply", "reply <n> <text>", "answer question n from the region in words (kept with who and when)",
                   1, true, true, [&host, &transcript](const Args& a) {
                     const int n = ParseNumber(a[0], 1, "reply takes the number of a question from the region from");
                     try {
                       host.Months().Reply(n, a[1]);
                     } catch (const kw::Error& error) {
                       throw CommandError(SentenceOf(error));
                     }
                     transcript.Line("your reply to question " + a[0] + " is on record; the region sees it");
                   }});
  interpreter.Add({"answer", "answer yes|no", "the answer to the next question", 1, false, false,
                   [&desk, &transcript](const Args& a) {
                     if (a[0] != "yes" && a[0] != "no") throw CommandError("answer takes yes or no");
                     desk.answers.emplace_back(a[0] == "yes" ? "0" : "1");
                     transcript.Line("no question is open: \"" + a[0] + "\" is kept for the next question");
                   }});
  for (const ScreenPtr& screen : host.Screens()) {
    std::string fields;
    for (const std::string& field : screen->Fields()) fields += (fields.empty() ? "" : ", ") + field;
    if (!fields.empty()) interpreter.AddHelpNote("fields of " + screen->Name() + ": " + fields);
  }
}

}  // namespace trf
