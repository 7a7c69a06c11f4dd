// The notes screen: its toolbar, the formatting stored with the month, and notes stored by another desk.
#include "app/screens/notes_screen.h"

#include <gmock/gmock.h>

#include <tuple>

#include "app/business/rule_numbers.h"
#include "app/data/monthly_notes.h"
#include "tests/app/app_world.h"
#include "tests/doubles/scripted_color_picker.h"
#include "ui_shared/platform/system_colors.h"
#include "widgets/rich_text_box.h"

namespace trf::testing {
namespace {

class NotesScreenTest : public ::testing::Test {
 protected:
  NotesScreenTest() { world.UseMapleHouseMarch(); }

  NotesScreen& ShowNotes() {
    EXPECT_TRUE(world.host.Go("notes"));
    return world.Screen<NotesScreen>("notes");
  }
  kw::RichTextBoxPtr Stored(const std::string& month, int32_t start, int32_t length) const {
    auto stored = std::make_shared<kw::RichTextBox>();
    stored->TextRTF(MonthlyNotes(world.services.database()).Load(month));
    stored->SelStart(start);
    stored->SelLength(length);
    return stored;
  }

  AppWorld world;
};

// The notes are stored as RTF when the screen is left and on save; the colour dialog opens on the selection's.
TEST_F(NotesScreenTest, ToolbarComesWithTheScreenAndFormattingIsStoredWithTheMonth) {
  auto picker = std::make_shared<kw::testing::ScriptedColorPicker>();
  kw::ScopedService<kw::ColorPicker> picker_in_force(picker);
  picker->answer = kw::Rgb(200, 0, 0);
  NotesScreen& notes = ShowNotes();
  EXPECT_EQ(world.Container().Bar().Buttons().size(), 11u);
  EXPECT_TRUE(notes.Box()->Focused());
  notes.InsertText("Fire drill on Friday");
  notes.SetSelection(14, 6);
  for (const char* button : {"BoldClick", "UnderlineClick", "ColorChangeClick"})
    EXPECT_TRUE(world.Container().ClickCommandButton(button)) << button;
  EXPECT_EQ(picker->showings.at(0).initial, 0u);
  ASSERT_TRUE(world.host.Go("residents"));
  EXPECT_TRUE(world.Container().Bar().Buttons().empty());
  EXPECT_FALSE(notes.Box()->Focused());
  const kw::RichTextBoxPtr friday = Stored("3", 14, 6);
  EXPECT_EQ(std::tuple(friday->Text(), friday->SelBold(), friday->SelUnderline(), friday->SelColor()),
            std::tuple("Fire drill on Friday", true, true, kw::Rgb(200, 0, 0)));
  EXPECT_EQ(Stored("3", 0, 4)->SelBold(), false);
  EXPECT_EQ(MonthlyNotes(world.services.database()).Load("4"), "");

  ShowNotes().SetSelection(20, 0);
  EXPECT_EQ(world.Container().Bar().Buttons().size(), 11u);
  notes.InsertText("!");
  notes.SaveScreen();
  EXPECT_EQ(world.events.lines.back(), "notes saved");
  EXPECT_EQ(Stored("3", 0, 0)->Text(), "Fire drill on Friday!");
}

// Leaving without an edit stores nothing; undoing shows the other desk's notes, which can then be edited.
TEST_F(NotesScreenTest, NotesStoredElsewhereSinceTheyWereReadAreNotOverwritten) {
  MonthlyNotes other_desk(world.services.database());
  NotesScreen& notes = ShowNotes();
  ASSERT_TRUE(world.host.Go("residents"));
  EXPECT_EQ(other_desk.Read("3").version, 0);
  ShowNotes().InsertText("Mine");
  ASSERT_TRUE(other_desk.Store("3", "{\\rtf1 Theirs}", 0));
  EXPECT_EQ(RefusalOf([&] { std::ignore = world.host.Go("residents"); }).Number(), rule_numbers::kRecordChanged);
  EXPECT_TRUE(world.events.Saw("stayed on notes"));
  const ScreenRefusal refused = RefusalOf([&] { notes.Perform([&] { notes.SaveScreen(); }); });
  EXPECT_EQ(refused.Number(), rule_numbers::kRecordChanged);
  EXPECT_THAT(refused.what(), ::testing::StartsWith("The notes of this month were changed in the database"));
  EXPECT_EQ(world.services.journal().errors.back().Number(), rule_numbers::kRecordChanged);
  EXPECT_EQ(notes.Box()->Text(), "Mine");
  EXPECT_EQ(Stored("3", 0, 0)->Text(), "Theirs");
  notes.UndoEdits();
  EXPECT_TRUE(world.events.Saw("the unsaved edits were discarded"));
  EXPECT_THROW(notes.SetSelection(1, -2), ScreenRefusal);
  notes.SetSelection(6, 0);
  notes.InsertText(" and mine");
  notes.SaveScreen();
  EXPECT_EQ(Stored("3", 0, 0)->Text(), "Theirs and mine");
}

// A paragraph is found by characters, also after letters outside ASCII.
TEST_F(NotesScreenTest, ParagraphAfterNonAsciiTextIsSelectedWhole) {
  NotesScreen& notes = ShowNotes();
  notes.InsertText("Crème brûlée für Zoë\nSecond paragraph");
  notes.SelectParagraph(2);
  EXPECT_EQ(notes.Box()->SelText(), "Second paragraph");
}

}  // namespace
}  // namespace trf::testing
