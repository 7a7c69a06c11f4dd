// The notes screen: the rich-text toolbar is on the command bar only while the screen is shown,
// and the notes' formatting is stored with the month in the database.
#include <gtest/gtest.h>

#include "app/data/monthly_notes.h"
#include "app/screens/notes_screen.h"
#include "tests/app/screen_world.h"
#include "widgets/rich_text_box.h"

namespace trf::testing {
namespace {

using Outcome = CommandInterpreter::Outcome;

// The eleven toolbar buttons come with the screen and go with it; the box has the focus while the
// screen is shown.
TEST(NotesScreen, ToolbarIsOnTheBarWhileTheScreenIsShown) {
  ScreenWorld world;
  world.UseMapleHouseMarch();
  auto& notes = dynamic_cast<NotesScreen&>(*world.host->Find("notes"));
  ASSERT_EQ(world.Run("go notes"), Outcome::kContinue);
  EXPECT_EQ(world.container->Bar().Buttons().size(), 11u);
  EXPECT_TRUE(notes.Box()->Focused());
  ASSERT_EQ(world.Run("go residents"), Outcome::kContinue);
  EXPECT_TRUE(world.container->Bar().Buttons().empty());
  EXPECT_FALSE(notes.Box()->Focused());
  ASSERT_EQ(world.Run("go notes"), Outcome::kContinue);
  EXPECT_EQ(world.container->Bar().Buttons().size(), 11u);
}

// What the user formatted is stored as RTF for the month when the screen is left and on save, and
// reads back with its formatting.
TEST(NotesScreen, FormattingIsStoredWithTheMonth) {
  ScreenWorld world;
  world.UseMapleHouseMarch();
  for (const char* line : {"go notes", "type Fire drill on Friday", "set selection 14 6", "click BoldClick",
                           "click UnderlineClick", "go residents"}) {
    ASSERT_EQ(world.Run(line), Outcome::kContinue) << line << "\n" << world.Output();
  }
  kw::RichTextBox stored;
  stored.TextRTF(MonthlyNotes(world.database).Load("3"));
  EXPECT_EQ(stored.Text(), "Fire drill on Friday");
  stored.SelStart(14);
  stored.SelLength(6);
  EXPECT_EQ(stored.SelBold(), true);
  EXPECT_EQ(stored.SelUnderline(), true);
  stored.SelStart(0);
  stored.SelLength(4);
  EXPECT_EQ(stored.SelBold(), false);
  EXPECT_EQ(MonthlyNotes(world.database).Load("4"), "");

  ASSERT_EQ(world.Run("go notes"), Outcome::kContinue);
  ASSERT_EQ(world.Run("set selection 20 0"), Outcome::kContinue);
  ASSERT_EQ(world.Run("type !"), Outcome::kContinue);
  ASSERT_EQ(world.Run("save"), Outcome::kContinue);
  stored.TextRTF(MonthlyNotes(world.database).Load("3"));
  EXPECT_EQ(stored.Text(), "Fire drill on Friday!");
}

// Bad selections and other fields are clear errors that leave the notes as they were.
TEST(NotesScreen, BadCommandsAreRefused) {
  ScreenWorld world;
  world.UseMapleHouseMarch();
  ASSERT_EQ(world.Run("go notes"), Outcome::kContinue);
  for (const char* line : {"set selection 5", "set selection a 2", "set selection 1 -2", "set fee 3", "select 2",
                           "add"}) {
    EXPECT_EQ(world.Run(line), Outcome::kFailed) << line;
  }
  EXPECT_NE(world.Output().find("error"), std::string::npos);
  EXPECT_EQ(dynamic_cast<NotesScreen&>(*world.host->Find("notes")).Box()->Text(), "");
}

}  // namespace
}  // namespace trf::testing
