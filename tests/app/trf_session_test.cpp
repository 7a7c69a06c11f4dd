// A run of the program on the sample database: whatever a person types is answered with a clear
// error and the session goes on.
#include "app/terminal/trf_session.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/terminal/temp_folder.h"

namespace trf {
namespace {

// Each bad command fails with its own message and leaves the session working.
TEST(TrfSessionTest, BadInputIsAnsweredAndTheSessionGoesOn) {
  std::ostringstream out;
  TrfSession session(":memory:", out, nullptr);
  CommandInterpreter& commands = session.Interpreter();
  const struct {
    const char* line;
    const char* message;
  } cases[] = {
      {"select 1", "error: no screen is shown yet; try: go home"},
      {"go nowhere", "error: no screen \"nowhere\"; the screens are: home, setup"},
      {"frobnicate", "error: unknown command \"frobnicate\""},
      {"answer maybe", "error: answer takes yes or no"},
      {"select", "error: usage: select <n>"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(commands.Execute(c.line), CommandInterpreter::Outcome::kFailed) << c.line;
    EXPECT_NE(out.str().find(c.message), std::string::npos) << c.line;
  }
  ASSERT_EQ(commands.Execute("go home"), CommandInterpreter::Outcome::kContinue);
  const struct {
    const char* line;
    const char* message;
  } on_home[] = {
      {"select two", "error: select takes a row number from 1, not \"two\""},
      {"select 0", "error: select takes a row number from 1, not \"0\""},
      {"select 9", "error: there is no row 9; the list has 3 rows"},
      {"click StartTrf", "error: no available button \"StartTrf\" on the command bar"},
      {"set Fee 12", "error: this screen has no field \"Fee\""},
      {"type Maple", "error: this screen has no combo box"},
  };
  for (const auto& c : on_home) {
    EXPECT_EQ(commands.Execute(c.line), CommandInterpreter::Outcome::kFailed) << c.line;
    EXPECT_NE(out.str().find(c.message), std::string::npos) << c.line;
  }
  EXPECT_EQ(commands.Execute("select 2"), CommandInterpreter::Outcome::kContinue);
  EXPECT_NE(out.str().find("current home: H-102 Birch Court"), std::string::npos);
}

// The setup screen refuses to start a second TRF while the home has an active one, and a disabled
// button cannot be clicked.
TEST(TrfSessionTest, SetupRefusesASecondActiveTrf) {
  std::ostringstream out;
  TrfSession session(":memory:", out, nullptr);
  std::istringstream script("go home\nselect 1\ngo setup\nselect 2\n");
  ASSERT_EQ(session.RunScript(script, false), 0) << out.str();
  EXPECT_EQ(session.Interpreter().Execute("click ReopenTrf"), CommandInterpreter::Outcome::kFailed);
  EXPECT_NE(out.str().find("error: the home already has an active TRF; close it before you reopen another"),
            std::string::npos);
  EXPECT_EQ(session.Interpreter().Execute("click StartTrf"), CommandInterpreter::Outcome::kFailed);
  EXPECT_NE(out.str().find("TRFs reopened: 0"), std::string::npos);
}

// Quitting leaves the current screen first, so its changes are stored; a screen that refuses to
// be left keeps the session until a second quit.
TEST(TrfSessionTest, QuitLeavesTheCurrentScreenFirst) {
  TempFolder folder;
  const std::string db = (folder.Path() / "trf.db").string();
  const std::string to_notes = "select 1\ngo setup\nselect 3\ngo notes\n";
  {
    std::ostringstream out;
    TrfSession session(db, out, nullptr);
    std::istringstream in(to_notes + "type Kept after quitting\nquit\n");
    session.RunInteractive(in);
    EXPECT_EQ(out.str().find("are not saved"), std::string::npos) << out.str();
  }
  {
    std::ostringstream out;
    TrfSession session(db, out, nullptr);
    std::istringstream in(to_notes + "go residents\nadd\nquit\nquit\n");
    session.RunInteractive(in);
    EXPECT_NE(out.str().find("Kept after quitting"), std::string::npos);
    const size_t warning = out.str().find("the changes on Residents are not saved; put them right, or type quit again");
    ASSERT_NE(warning, std::string::npos) << out.str();
    EXPECT_EQ(out.str().find("the input ended"), std::string::npos);
  }
}

}  // namespace
}  // namespace trf
