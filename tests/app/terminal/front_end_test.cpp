// The terminal front end: the screen, feedback boxes and dialog lines, and the answers to questions.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "app/terminal/feedback_presenter.h"
#include "app/terminal/screen_renderer.h"

namespace trf {
namespace {

// A word longer than the feedback box is cut rather than overflowing the frame.
TEST(FrontEndTest, ScreenAndFeedbackBoxAreRendered) {
  CommandBar bar;
  bar.Add({"Save", "Save", kw::kButtonPlain, nullptr, {}, true, 0});
  ScreenView view;
  view.context.home_num = "H-101";
  view.list = ScreenList{{"Name", "Fee"}, {}, {{"Ann", "10"}, {"Robert", "2400"}}, 1};
  view.fields.resize(2);
  view.fields[0] = {
      .name = "Name", .value = "Robert", .active = true, .back_color = 0x80000014u, .fore_color = 0x80000012u};
  view.fields[1] = {.name = "Fee", .value = "2400", .read_only = true};
  EXPECT_EQ(RenderScreen("home", "Our Home", bar, view, /*verbose=*/true),
            (std::vector<std::string>{"== Our Home ==", "bar: [Save]", "Current home: H-101",
                                      "active field Name: background &H80000014&, text &H80000012&",
                                      "        Name    Fee", "  1     Ann     10", "* 2     Robert  2400",
                                      "* Name : Robert", "  Fee  : 2400   (read-only)"}));
  FeedbackShowing showing{"Residents", "The monthly fee looks unusually high for this home.", "Fee: 7,800", 0, 3105, 0,
                          false};
  EXPECT_EQ(RenderFeedbackBox(showing, 30),
            (std::vector<std::string>{"+----------------------------+", "| Residents - question 3105  |",
                                      "+----------------------------+", "| The monthly fee looks      |",
                                      "| unusually high for this    |", "| home.                      |",
                                      "|                            |", "| Fee: 7,800                 |",
                                      "| [Yes] [No]                 |", "+----------------------------+"}));
  FeedbackShowing long_word{"T", std::string(30, 'x'), "", 2, 1, 0, false};
  for (const std::string& line : RenderFeedbackBox(long_word, 20)) EXPECT_EQ(line.size(), 20u) << line;
}

// A list's amounts read as the history and the desktop show them, to the right of their column; a
// text in an amount's column that is no number (one being typed) stays as it is.
TEST(FrontEndTest, AListShowsItsAmountsGroupedToTheRight) {
  ScreenView view;
  view.list = ScreenList{{"Name", "Fee"}, {}, {{"Ann", "10"}, {"Robert", "2400"}, {"Cleo", "12x"}}, 1};
  view.list->kinds = {ColumnKind::kText, ColumnKind::kMoney};
  const std::vector<std::string> lines = RenderScreen("residents", "Residents", CommandBar(), view, false);
  const std::vector<std::string> list = {"        Name         Fee",  // the header over its column's right edge
                                         "  1     Ann        10.00", "* 2     Robert  2,400.00",
                                         "  3     Cleo         12x"};
  EXPECT_NE(std::search(lines.begin(), lines.end(), list.begin(), list.end()), lines.end())
      << "the list is not drawn as expected:\n"
      << ::testing::PrintToString(lines);
}

// Without a queued answer a script declines and a terminal is asked until it says yes or no; at a
// question the terminal takes the script's own command as an answer too: "answer yes", "answer no".
TEST(FrontEndTest, QuestionsAreAnsweredFromQueueTerminalOrDeclined) {
  std::ostringstream out;
  Transcript transcript(out);
  FeedbackDesk desk;
  FeedbackShowing question{"Residents", "Keep it?", "", 0, 3105, 0, false};
  FeedbackShowing notice{"Residents", "Saved.", "", 2, 2181, 0, false};

  const FeedbackPresenter script = MakeTerminalPresenter(transcript, desk, nullptr);
  desk.answers.emplace_back("0");
  EXPECT_EQ((std::vector<std::string>{script(question), script(question), script(notice)}),
            (std::vector<std::string>{"0", "1", "0"}));
  EXPECT_NE(out.str().find("answered no (no answer was queued)"), std::string::npos);
  EXPECT_NE(out.str().find("dialog notice 2181: Saved."), std::string::npos);

  std::istringstream terminal("maybe\n Yes \nn\n");
  const FeedbackPresenter person = MakeTerminalPresenter(transcript, desk, &terminal);
  EXPECT_EQ((std::vector<std::string>{person(question), person(question), person(question)}),
            (std::vector<std::string>{"0", "1", "1"}));  // the end of input declines

  std::istringstream commands("answer yes\nAnswer  No\nanswer maybe\n");
  const FeedbackPresenter answering = MakeTerminalPresenter(transcript, desk, &commands);
  EXPECT_EQ(answering(question), "0") << "answer yes accepts";
  EXPECT_EQ(answering(question), "1") << "answer no declines, whatever the case and the blanks";
  const size_t before_maybe = out.str().size();
  EXPECT_EQ(answering(question), "1") << "answer maybe is asked again, and the end of input declines";
  EXPECT_NE(out.str().find("Please answer y (yes) or n (no)", before_maybe), std::string::npos);
}

}  // namespace
}  // namespace trf
