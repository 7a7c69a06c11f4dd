// Quitting runs the leave step; when its save fails because the database is full, the session and
// the edit stay, the reason is said, and once there is room again the same edit saves.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/terminal/temp_folder.h"
#include "app/terminal/trf_session.h"

namespace trf {
namespace {

using Outcome = CommandInterpreter::Outcome;

std::string Scalar(Database& database, const std::string& sql) {
  auto query = database.Prepare(sql);
  query->Step();
  return query->Column(0).ToText();
}

TEST(QuitTest, AFullDatabaseKeepsTheSessionAndTheEditUntilThereIsRoom) {
  TempFolder folder;
  std::ostringstream out;
  TrfSession session((folder.Path() / "trf.db").string(), out, nullptr);
  CommandInterpreter& commands = session.Interpreter();
  Database& database = *session.Services().database();
  const std::string long_name(size_t{64} * 1024, 'x');
  const std::vector<std::string> lines = {"go home",
                                          "select 1",
                                          "go setup",
                                          "select 3",
                                          "go residents",
                                          "add",
                                          "set name " + long_name,
                                          "set admission 3/10/2004"};
  for (const std::string& line : lines) {
    ASSERT_EQ(commands.Execute(line), Outcome::kContinue) << line << "\n" << out.str();
  }
  const std::string residents = Scalar(database, "SELECT COUNT(*) FROM tbH_Residents");
  database.Exec("PRAGMA max_page_count = " + Scalar(database, "PRAGMA page_count"));

  EXPECT_EQ(commands.Execute("quit"), Outcome::kContinue);
  EXPECT_NE(out.str().find("dialog error 3903: The disk or the database is full"), std::string::npos) << out.str();
  EXPECT_NE(out.str().find("the changes on Residents are not saved"), std::string::npos);
  EXPECT_EQ(Scalar(database, "SELECT COUNT(*) FROM tbH_Residents"), residents);
  EXPECT_EQ(Scalar(database, "PRAGMA integrity_check"), "ok");

  database.Exec("PRAGMA max_page_count = 1073741823");
  EXPECT_EQ(commands.Execute("save"), Outcome::kContinue);
  EXPECT_EQ(Scalar(database, "SELECT COUNT(*) FROM tbH_Residents WHERE length(H_ResidentName) = 65536"), "1");
}

}  // namespace
}  // namespace trf
