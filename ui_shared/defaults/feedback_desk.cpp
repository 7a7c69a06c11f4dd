// The default feedback dialog, its registration, and the presenter that asks at a terminal.
#include "ui_shared/defaults/feedback_desk.h"

#include <istream>
#include <ostream>

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/text.h"

namespace kw {
namespace {

constexpr const char* kAccepted = "0";

// How a person names a kind of message.
const char* KindName(int32_t rule_type) {
  switch (rule_type) {
    case kRuleQuestion: return "question";
    case kRuleHard: return "hard rule";
    default: return "notice";
  }
}

// Asks `in` until it answers yes or no; declined when nothing is left to read.
std::string AskYesOrNo(std::istream& in, std::ostream& out, bool echo) {
  while (true) {
    out << "  Yes or no? [y/n] " << std::flush;
    std::string reply;
    if (!std::getline(in, reply)) {
      out << "\n  answered no (nothing left to read)\n";
      return FeedbackDesk::kUnscriptedAnswer;
    }
    if (echo) out << reply << "\n";
    const std::string word = text::Lower(text::Trim(reply));
    if (word == "y" || word == "yes") return kAccepted;
    if (word == "n" || word == "no") return FeedbackDesk::kUnscriptedAnswer;
  }
}

}  // namespace

FeedbackPresenter AskOnTerminal(FeedbackDesk& desk, std::istream& in, std::ostream& out, bool echo) {
  return [&desk, &in, &out, echo](const FeedbackShowing& showing) -> std::string {
    out << "  dialog " << KindName(showing.rule_type) << " " << showing.rule_number << ": " << showing.message << "\n";
    if (!showing.detail.empty()) out << "    " << showing.detail << "\n";
    if (showing.rule_type != kRuleQuestion) return kAccepted;
    if (desk.answers.empty()) return AskYesOrNo(in, out, echo);
    std::string answer = desk.answers.front();
    desk.answers.pop_front();
    out << (answer == kAccepted ? "  answered yes (scripted)\n" : "  answered no (scripted)\n");
    return answer;
  };
}

void FeedbackDialog::Show(const Variant&, const Variant&) {
  if (!prepared_) Raise(err::kInvalidCall);
  FeedbackDesk& desk = *desk_;
  desk.shown.push_back(pending_);
  if (desk.presenter) {
    result_ = desk.presenter(pending_);
  } else if (!desk.answers.empty()) {
    result_ = desk.answers.front();
    desk.answers.pop_front();
  } else {
    result_ = FeedbackDesk::kUnscriptedAnswer;
  }
}

void RegisterFeedbackDialog(ClassRegistry& registry, const std::shared_ptr<FeedbackDesk>& desk) {
  registry.Register(std::string(class_ids::kFeedbackForm), [desk] { return std::make_shared<FeedbackDialog>(desk); });
}

}  // namespace kw
