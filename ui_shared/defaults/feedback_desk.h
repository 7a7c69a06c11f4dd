// FeedbackDialog: the feedback dialog of the default siblings, and FeedbackDesk, what every such
// dialog of one program shares. Every showing is recorded; the answer comes from a replaceable
// presenter (AskOnTerminal, a window of a front end) or else from a queue of scripted answers, so
// that tests and scripted runs decide what the person says.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "ui_shared/contracts/feedback.h"
#include "ui_shared/platform/class_registry.h"

namespace kw {

// One showing of the dialog, as the person saw it.
struct FeedbackShowing {
  std::string caption;       // the owner form's title
  std::string message;       // what the library says
  std::string detail;        // the further explanation shown with it; may be empty
  int32_t rule_type = 0;     // an enumRuleType: question, hard rule or notice
  int32_t rule_number = 0;   // the rule's number, or the library's own message number (2181 to 2185)
  int32_t help_context = 0;  // the help context the dialog offers
  bool notify = false;       // the Notify flag the library wrote before the showing
};

// Answers a showing with the answer's number as text ("0" = accepted).
using FeedbackPresenter = std::function<std::string(const FeedbackShowing&)>;

// What every feedback dialog of one program shares: the scripted answers, the record of showings
// and the presenter.
struct FeedbackDesk {
  // The answer a dialog gives when no presenter is set and no answer is queued: declined, so that
  // nothing is confirmed that nobody confirmed.
  static constexpr const char* kUnscriptedAnswer = "1";

  std::deque<std::string> answers;     // scripted answers, used in order: "0" accepts, "1" declines
  std::vector<FeedbackShowing> shown;  // every showing so far, oldest first
  FeedbackPresenter presenter;         // when set, answers every showing instead of the queue
};

// A presenter for a program at a terminal: prints each showing on `out` as "dialog <kind>
// <number>: <message>" (the detail indented below it), and answers a question with the desk's next
// scripted answer, else with what the person types on `in` ("y" or "yes" accepts, "n" or "no"
// declines, anything else is asked again); with nothing left to read it declines. Hard rules and
// notices are only shown. With `echo`, each reply read is written after its prompt, so that input
// from a file or a pipe reads in the output as if typed. `desk`, `in` and `out` must outlive the
// presenter.
FeedbackPresenter AskOnTerminal(FeedbackDesk& desk, std::istream& in, std::ostream& out, bool echo = false);

// The feedback dialog the library creates by name: it records each showing on the desk and
// answers as the desk says.
class FeedbackDialog : public FeedbackForm {
 public:
  // A dialog answering through `desk`, which it keeps alive.
  explicit FeedbackDialog(std::shared_ptr<FeedbackDesk> desk) : desk_(std::move(desk)) {}
  // The type name the runtime reports: "FeedbackForm".
  std::string TypeName() const override { return "FeedbackForm"; }

  void Feedback(const std::string& text) override { pending_.message = text; }
  void MoreFeedback(const std::string& text) override { pending_.detail = text; }
  void RuleType(const Variant& rule_type) override { pending_.rule_type = rule_type.ToLong(); }
  void Caption(const std::string& caption) override { pending_.caption = caption; }
  void Icon(const PicturePtr& icon) override { icon_ = icon; }
  // Records the prepared showing and takes the answer from the presenter or the queue; 5 when
  // the dialog was not prepared.
  void Show(const Variant& modal, const Variant& owner) override;
  // Closes the showing: the dialog must be prepared again before it can be shown again.
  void Finish() override { prepared_ = false; }
  // Forgets what the last showing was written, so that nothing of it leaks into the next.
  void Cleanup() override { pending_ = FeedbackShowing{}; }
  // Makes the written properties the showing that Show presents.
  void Prepare() override { prepared_ = true; }
  std::string Result() override { return result_; }
  void RuleNumber(int32_t number) override { pending_.rule_number = number; }
  void HelpContextID(int32_t id) override { pending_.help_context = id; }
  void Setting(const std::string& setting) override { setting_ = setting; }
  void Notify(bool notify) override { pending_.notify = notify; }

  // The setting the library gave the dialog when it created it.
  const std::string& Setting() const { return setting_; }
  // The icon of the last showing: the owner form's.
  const PicturePtr& Icon() const { return icon_; }

 private:
  FeedbackShowing pending_;
  PicturePtr icon_;
  std::string setting_;
  std::shared_ptr<FeedbackDesk> desk_;
  std::string result_;
  bool prepared_ = false;
};

// Registers the feedback dialog under its class id with `registry`: each dialog it creates
// answers through `desk`.
void RegisterFeedbackDialog(ClassRegistry& registry, const std::shared_ptr<FeedbackDesk>& desk);

}  // namespace kw
