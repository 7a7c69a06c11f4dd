// The command interpreter: lines, argument counts, errors, expectations and script outcomes.
#include "app/terminal/command_interpreter.h"

#include <gtest/gtest.h>

#include <sstream>

#include "ui_shared/platform/error.h"

namespace trf {
namespace {

// An interpreter with a few commands that record what they were given.
struct Console {
  std::ostringstream out;
  Transcript transcript{out};
  CommandInterpreter interpreter{transcript};
  std::vector<std::vector<std::string>> calls;
  Console() {
    interpreter.Add({"set", "set <field> <value>", "write a field", 1, true, true, [this](const auto& a) {
                       calls.push_back(a);
                       transcript.Line("set " + a[0] + " = " + a[1]);
                     }});
    interpreter.Add(
        {"save", "save", "save the record", 0, false, false, [this](const auto& a) { calls.push_back(a); }});
    interpreter.Add({"boom", "boom", "fails", 0, false, false, [](const auto&) { kw::Raise(13); }});
  }
};

// `expect` looks only at the output since the previous command, so it never finds its own echo.
TEST(CommandInterpreterTest, RunsCommandsAndScriptsAndRejectsBadInput) {
  Console c;
  EXPECT_EQ(c.interpreter.Execute("set Fee 12.50"), CommandInterpreter::Outcome::kContinue);
  EXPECT_EQ(c.calls.back(), (std::vector<std::string>{"Fee", "12.50"}));
  EXPECT_EQ(c.interpreter.Execute("set Fee"), CommandInterpreter::Outcome::kFailed);
  EXPECT_NE(c.out.str().find("error: usage: set <field> <value>"), std::string::npos);
  EXPECT_EQ(c.interpreter.Execute("save twice"), CommandInterpreter::Outcome::kFailed);
  EXPECT_EQ(c.interpreter.Execute("boom"), CommandInterpreter::Outcome::kFailed);
  EXPECT_NE(c.out.str().find("error: Type mismatch\n"), std::string::npos);
  EXPECT_EQ(c.interpreter.Execute("   # a comment"), CommandInterpreter::Outcome::kContinue);
  EXPECT_EQ(c.interpreter.Execute("quit"), CommandInterpreter::Outcome::kQuit);
  c.interpreter.Execute("help");
  EXPECT_NE(c.out.str().find("expect <text>"), std::string::npos);
  c.interpreter.Execute("set Name Ann");
  EXPECT_EQ(c.interpreter.Execute("expect Name = Ann"), CommandInterpreter::Outcome::kContinue);
  EXPECT_EQ(c.interpreter.Execute("expect = Ann"), CommandInterpreter::Outcome::kContinue);
  c.interpreter.Execute("save");
  EXPECT_EQ(c.interpreter.Execute("expect Ann"), CommandInterpreter::Outcome::kFailed);
  EXPECT_NE(c.out.str().find("expectation failed"), std::string::npos);
  Console passing;
  std::istringstream passing_script("set A 1\nexpect A = 1\nquit\nfrobnicate\n");
  EXPECT_EQ(passing.interpreter.RunScript(passing_script, true), 0);
  EXPECT_NE(passing.out.str().find("> set A 1"), std::string::npos);
  Console failing;
  std::istringstream failing_script("set A 1\nexpect B\nsave\n");
  EXPECT_EQ(failing.interpreter.RunScript(failing_script, true), 1);
  EXPECT_NE(failing.out.str().find("script stopped at line 2"), std::string::npos);
  EXPECT_EQ(failing.calls.size(), 1u);
}

}  // namespace
}  // namespace trf
