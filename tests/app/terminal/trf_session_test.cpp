// A run of the program on the sample database: whatever a person types is answered and the session goes on.
#include "app/terminal/trf_session.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/terminal/temp_folder.h"

namespace trf {
namespace {

// The setup screen refuses to reopen a TRF while the home has an active one.
TEST(TrfSessionTest, EveryLineIsAnsweredAndTheSessionGoesOn) {
  std::ostringstream out;
  TrfSession session(":memory:", out, nullptr);
  const std::tuple<const char*, bool, const char*> lines[] = {
      {"select 1", true, "error: no screen is shown yet; try: go home"},
      {"go nowhere", true, "error: no screen \"nowhere\"; the screens are: home, setup"},
      {"frobnicate", true, "error: unknown command \"frobnicate\"; type help for the list"},
      {"answer maybe", true, "error: answer takes yes or no"},
      {"select", true, "error: usage: select <n>"},
      {"go home", false, "== Our Home =="},
      {"select two", true, "error: select takes a row number from 1, not \"two\""},
      {"select 0", true, "error: select takes a row number from 1, not \"0\""},
      {"click StartTrf", true, "error: no available button \"StartTrf\" on the command bar"},
      {"set Fee 12", true, "error: this screen has no field \"Fee\""},
      {"type Maple", true, "error: this screen has nothing to choose"},
      {"undo", false, "the list was read afresh"},
      {"select 2", false, "current home: H-102 Birch Court"},
      {"select 1", false, "current home: H-101"},
      {"go setup", false, "== TRF Setup =="},
      {"select 2", false, "TRFs reopened: 0"},
      {"click ReopenTrf", true, "error: the home already has an active TRF; close it before you reopen another"},
      {"click StartTrf", true, "error: no available button \"StartTrf\" on the command bar"},
      {"select 3", false, "TRF active"},
      {"go residents", false, "* 1     Ada Andersen"},
      {"show", false, "set name|birthdate|admission|fee|family <value> (set <field> alone clears it); add; remove"},
      {"go notes", false, "== Notes =="},
      {"set selection 5", true, "error: set selection takes a start and a length: set selection 6 4"},
      {"set selection a 2", true, "error: the start must be a whole number from 0, not \"a\""},
      {"set selection 1 -2", true, "error: the length must be a whole number from 0, not \"-2\""},
      {"set fee 3", true, "error: the notes have one field, \"selection\": set selection <start> <length>"},
      {"select 2", true, "error: there is no paragraph 2; the notes have 1"},
      {"add", true, "error: this screen has no list to add to"},
      {"show", false, "select <n> (paragraph n); set selection <start> <length>"},
  };
  for (const auto& [line, fails, says] : lines) {
    const size_t before = out.str().size();
    const auto outcome = session.Interpreter().Execute(line);
    EXPECT_EQ(outcome, fails ? CommandInterpreter::Outcome::kFailed : CommandInterpreter::Outcome::kContinue) << line;
    EXPECT_NE(out.str().find(says, before), std::string::npos) << line << "\n" << out.str().substr(before);
  }
}

// A screen that refuses to be left keeps the session until a second quit.
TEST(TrfSessionTest, QuitLeavesTheCurrentScreenFirst) {
  TempFolder folder;
  const std::string db = (folder.Path() / "trf.db").string();
  const std::string to_notes = "select 1\ngo setup\nselect 3\ngo notes\n";
  const auto run = [&db](const std::string& typed) {
    std::ostringstream out;
    TrfSession session(db, out, nullptr);
    std::istringstream in(typed);
    session.RunInteractive(in);
    return out.str();
  };
  const std::string first = run(to_notes + "type Kept after quitting\nquit\n");
  EXPECT_EQ(first.find("are not saved"), std::string::npos) << first;
  const std::string second = run(to_notes + "go residents\nadd\nquit\nquit\n");
  EXPECT_NE(second.find("Kept after quitting"), std::string::npos);
  const size_t warning = second.find("the changes on Residents are not saved; put them right, or type quit again");
  ASSERT_NE(warning, std::string::npos) << second;
  EXPECT_EQ(second.find("the input ended"), std::string::npos);
}

}  // namespace
}  // namespace trf
