// The default feedback dialog and the presenter that asks at a terminal: what is printed, which
// answers a script gives, what the person types, and what happens when nothing is left to read.
#include "ui_shared/defaults/feedback_desk.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kw {
namespace {

FeedbackShowing Showing(int32_t rule_type, int32_t number, std::string message, std::string detail = "") {
  return {.caption = "Volunteers",
          .message = std::move(message),
          .detail = std::move(detail),
          .rule_type = rule_type,
          .rule_number = number};
}

// Asks a question through the dialog as the library does: filled, prepared, shown, finished and
// cleaned up, then its answer read.
std::string Ask(FeedbackDialog& dialog, const std::string& message) {
  dialog.Feedback(message);
  dialog.RuleType(Variant::Long(kRuleQuestion));
  dialog.Prepare();
  dialog.Show(Variant::Long(1), Variant());
  dialog.Finish();
  dialog.Cleanup();
  return dialog.Result();
}

// A question takes the next scripted answer first, then what the person types (asked again until it
// is yes or no), and is declined once nothing is left to read; a hard rule or a notice is printed
// with its detail and takes no answer.
TEST(AskOnTerminalTest, ScriptFirstThenThePersonThenDeclined) {
  FeedbackDesk desk;
  desk.answers = {"0"};
  std::istringstream in("maybe\nY\n");
  std::ostringstream out;
  const FeedbackPresenter ask = AskOnTerminal(desk, in, out);
  EXPECT_EQ(ask(Showing(kRuleHard, 9001, "A volunteer needs a name.", "Type the name.")), "0");
  EXPECT_EQ(desk.answers.size(), 1u) << "a hard rule took a scripted answer";
  EXPECT_EQ(ask(Showing(kRuleQuestion, 9002, "More than 40 hours?")), "0");
  EXPECT_EQ(ask(Showing(kRuleQuestion, 2185, "Are you sure you want to delete this entry?")), "0");
  EXPECT_EQ(ask(Showing(kRuleQuestion, 2185, "Are you sure you want to delete this entry?")), "1");
  EXPECT_EQ(out.str(),
            "  dialog hard rule 9001: A volunteer needs a name.\n"
            "    Type the name.\n"
            "  dialog question 9002: More than 40 hours?\n"
            "  answered yes (scripted)\n"
            "  dialog question 2185: Are you sure you want to delete this entry?\n"
            "  Yes or no? [y/n]   Yes or no? [y/n] "
            "  dialog question 2185: Are you sure you want to delete this entry?\n"
            "  Yes or no? [y/n] \n"
            "  answered no (nothing left to read)\n");
}

// The dialog records every showing on the desk and answers through the presenter when there is
// one, else from the queue, else declines; it must be prepared before each showing.
TEST(FeedbackDialogTest, RecordsEachShowingAndAnswersAsTheDeskSays) {
  auto desk = std::make_shared<FeedbackDesk>();
  FeedbackDialog dialog(desk);
  desk->answers = {"0"};
  EXPECT_EQ(Ask(dialog, "first"), "0");
  EXPECT_EQ(Ask(dialog, "second"), FeedbackDesk::kUnscriptedAnswer);
  desk->presenter = [](const FeedbackShowing& showing) { return showing.message == "third" ? "0" : "1"; };
  EXPECT_EQ(Ask(dialog, "third"), "0");
  ASSERT_EQ(desk->shown.size(), 3u);
  EXPECT_EQ(desk->shown[1].message, "second");
  EXPECT_THROW(dialog.Show(Variant::Long(1), Variant()), Error) << "shown without being prepared";
}

// A desk keeps the latest showings only, so that a long session does not grow its record without
// end: the oldest goes when one more comes.
TEST(FeedbackDialogTest, KeepsTheLatestShowingsOnly) {
  auto desk = std::make_shared<FeedbackDesk>();
  FeedbackDialog dialog(desk);
  for (size_t i = 0; i <= FeedbackDesk::kKeptShowings; ++i) (void)Ask(dialog, "showing " + std::to_string(i));
  ASSERT_EQ(desk->shown.size(), FeedbackDesk::kKeptShowings);
  EXPECT_EQ(desk->shown.front().message, "showing 1") << "the oldest showing stayed";
  EXPECT_EQ(desk->shown.back().message, "showing " + std::to_string(FeedbackDesk::kKeptShowings));
}

// With echo, what is read is written after its prompt, as a person's typing shows at a terminal.
TEST(AskOnTerminalTest, EchoesWhatItReadsForInputThatIsNoTerminal) {
  FeedbackDesk desk;
  std::istringstream in("yes\n");
  std::ostringstream out;
  EXPECT_EQ(AskOnTerminal(desk, in, out, true)(Showing(kRuleQuestion, 2185, "Delete?")), "0");
  EXPECT_EQ(out.str(), "  dialog question 2185: Delete?\n  Yes or no? [y/n] yes\n");
}

}  // namespace
}  // namespace kw
