// Screen commands: each one runs on the current screen, then the screen is shown again.
#include "app/terminal/screen_commands.h"

#include <charconv>

#include "app/terminal/screen_renderer.h"

namespace trf {
namespace {

int ParseRowNumber(const std::string& text) {
  int row = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), row);
  if (error != std::errc() || end != text.data() + text.size() || row < 1)
    throw ScreenCommandError("select takes a row number from 1, not \"" + text + "\"");
  return row;
}

}  // namespace

void ShowCurrentScreen(const ScreenHost& host, Transcript& transcript) {
  ScreenForm* screen = host.Current();
  if (!screen) return;
  ScreenView view;
  screen->Describe(view);
  for (const std::string& line : RenderScreen(screen->Title(), host.Container().Bar(), view)) transcript.Line(line);
}

void AddScreenCommands(CommandInterpreter& interpreter, ScreenHost& host, FeedbackDesk& desk, Transcript& transcript) {
  using Args = std::vector<std::string>;
  // A command on the current screen, which is shown again afterwards.
  auto on_screen = [&host, &transcript](std::function<void(ScreenForm&, const Args&)> action) {
    return [&host, &transcript, action](const Args& args) {
      action(host.RequireCurrent(), args);
      ShowCurrentScreen(host, transcript);
    };
  };
  std::string names;
  for (const ScreenPtr& screen : host.Screens()) names += (names.empty() ? "" : "|") + screen->Name();

  interpreter.Add({"go", "go <screen>", "show another screen (" + names + ")", 1, false, false,
                   [&host, &transcript](const Args& args) {
                     host.Go(args[0]);
                     ShowCurrentScreen(host, transcript);
                   }});
  interpreter.Add({"show", "show", "show the current screen again, with what it takes", 0, false, false,
                   [&host, &transcript](const Args&) {
                     ShowCurrentScreen(host, transcript);
                     if (host.Current()) transcript.Line(host.Current()->Help());
                   }});
  interpreter.Add({"select", "select <n>", "select row n of the screen's list", 1, false, false,
                   on_screen([](ScreenForm& s, const Args& a) { s.Select(ParseRowNumber(a[0])); })});
  interpreter.Add({"set", "set <field> <value>", "write a value into a field of the screen", 1, true, true,
                   on_screen([](ScreenForm& s, const Args& a) { s.SetField(a[0], a[1]); })});
  interpreter.Add({"save", "save", "save the screen's current record", 0, false, false,
                   on_screen([](ScreenForm& s, const Args&) { s.SaveScreen(); })});
  interpreter.Add({"add", "add", "add a record to the screen's list", 0, false, false,
                   on_screen([](ScreenForm& s, const Args&) { s.AddRecord(); })});
  interpreter.Add({"remove", "remove", "remove the selected record", 0, false, false,
                   on_screen([](ScreenForm& s, const Args&) { s.RemoveRecord(); })});
  interpreter.Add({"type", "type <text>", "type text into the screen's combo box", 0, true, true,
                   on_screen([](ScreenForm& s, const Args& a) { s.TypeText(a[0]); })});
  interpreter.Add({"click", "click <button key>", "click a button of the command bar", 1, false, false,
                   on_screen([&host](ScreenForm&, const Args& a) {
                     if (!host.Container().ClickCommandButton(a[0]))
                       throw ScreenCommandError("no available button \"" + a[0] + "\" on the command bar");
                   })});
  interpreter.Add({"sendoff", "sendoff", "check every screen before the TRF is sent off", 0, false, false,
                   [&host, &transcript](const Args&) {
                     host.SendOff();
                     ShowCurrentScreen(host, transcript);
                   }});
  interpreter.Add({"answer", "answer yes|no", "the answer to the next question", 1, false, false,
                   [&desk](const Args& a) {
                     if (a[0] != "yes" && a[0] != "no") throw ScreenCommandError("answer takes yes or no");
                     desk.answers.push_back(a[0] == "yes" ? "0" : "1");
                   }});
}

}  // namespace trf
