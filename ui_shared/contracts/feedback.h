// The feedback dialog of the message-box component: a modal dialog that shows a message, a detail
// text, a rule type (0 question, 1 hard rule, 2 notice) and a rule number, and answers a number as
// text (0 = accepted).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ui_shared/platform/object.h"
#include "ui_shared/platform/picture.h"

namespace kw {

// What kind of message the feedback dialog shows.
enum enumRuleType : int32_t {
  kRuleQuestion = 0,
  kRuleHard = 1,
  kRuleNotice = 2,
};

// The feedback dialog: the modal dialog through which the library tells the user about rules and
// context and asks its questions. The library writes the properties, then calls Prepare, Show,
// Finish and Cleanup in that order and reads Result.
class FeedbackForm : public virtual Object {
 public:
  // The message.
  virtual void Feedback(const std::string& text) = 0;
  // The detail shown with the message.
  virtual void MoreFeedback(const std::string& text) = 0;
  // The kind of message (an enumRuleType).
  virtual void RuleType(const Variant& rule_type) = 0;
  // The dialog's caption: the owner form's title.
  virtual void Caption(const std::string& caption) = 0;
  // The icon shown in the dialog: the owner form's icon.
  virtual void Icon(const PicturePtr& icon) = 0;
  // Shows the dialog; with `modal` 1 it returns only when the user has answered.
  virtual void Show(const Variant& modal, const Variant& owner) = 0;
  // Called after Show, when the user has answered.
  virtual void Finish() = 0;
  // Called after Finish: the dialog may let go of what the showing needed.
  virtual void Cleanup() = 0;
  // Called once every property is written, before Show.
  virtual void Prepare() = 0;
  // The user's answer as the text of a number: "0" accepted, anything else declined.
  virtual std::string Result() = 0;
  // The rule number shown with the message (0 for none).
  virtual void RuleNumber(int32_t number) = 0;
  // The help context the dialog offers.
  virtual void HelpContextID(int32_t id) = 0;
  // The feedback setting of the container, written once, when the dialog is created.
  virtual void Setting(const std::string& setting) = 0;
  // Written true before every showing.
  virtual void Notify(bool notify) = 0;
};

// A shared reference to the feedback dialog.
using FeedbackPtr = std::shared_ptr<FeedbackForm>;

}  // namespace kw
