// The reference feedback dialog: every showing is recorded, and the answer comes from a
// replaceable presenter (a terminal front end, for instance) or else from a queue of scripted
// answers, so that integration tests and scripted runs of the program decide what the user says.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui_shared/contracts/feedback.h"
#include "ui_shared/platform/class_registry.h"

namespace trf {

// One showing of the dialog, as the user saw it.
struct FeedbackShowing {
  std::string caption;
  std::string message;
  std::string detail;
  int32_t rule_type = 0;
  int32_t rule_number = 0;
  int32_t help_context = 0;
  bool notify = false;
};

// Answers a showing with the answer's number as text ("0" = accepted).
using FeedbackPresenter = std::function<std::string(const FeedbackShowing&)>;

// What every feedback dialog of the application shares: the scripted answers, the record of
// showings and the presenter.
struct FeedbackDesk {
  // The answer a dialog gives when no presenter is set and no answer is queued: declined, so that
  // nothing is confirmed that nobody confirmed.
  static constexpr const char* kUnscriptedAnswer = "1";

  std::deque<std::string> answers;
  std::vector<FeedbackShowing> shown;
  FeedbackPresenter presenter;
};

class FeedbackDialog : public kw::FeedbackForm {
 public:
  explicit FeedbackDialog(std::shared_ptr<FeedbackDesk> desk) : desk_(std::move(desk)) {}
  std::string TypeName() const override { return "FeedbackForm"; }

  void Feedback(const std::string& text) override { pending_.message = text; }
  void MoreFeedback(const std::string& text) override { pending_.detail = text; }
  void RuleType(const kw::Variant& rule_type) override { pending_.rule_type = rule_type.ToLong(); }
  void Caption(const std::string& caption) override { pending_.caption = caption; }
  void Icon(const kw::PicturePtr& icon) override { icon_ = icon; }
  // Records the prepared showing and takes the answer from the presenter or the queue; 5 when
  // the dialog was not prepared.
  void Show(const kw::Variant& modal, const kw::Variant& owner) override;
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

  const std::string& Setting() const { return setting_; }
  const kw::PicturePtr& Icon() const { return icon_; }

 private:
  FeedbackShowing pending_;
  kw::PicturePtr icon_;
  std::string setting_;
  std::shared_ptr<FeedbackDesk> desk_;
  std::string result_;
  bool prepared_ = false;
};

// Registers the feedback dialog, answering through `desk`, with `registry`.
void RegisterFeedbackDialog(kw::ClassRegistry& registry, const std::shared_ptr<FeedbackDesk>& desk);

}  // namespace trf
