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

enum enumRuleType : int32_t {
  kRuleQuestion = 0,
  kRuleHard = 1,
  kRuleNotice = 2,
};

class FeedbackForm : public virtual Object {
 public:
  virtual void Feedback(const std::string& text) = 0;
  virtual void MoreFeedback(const std::string& text) = 0;
  virtual void RuleType(const Variant& rule_type) = 0;
  virtual void Caption(const std::string& caption) = 0;
  virtual void Icon(const PicturePtr& icon) = 0;
  // Shows the dialog; with `modal` 1 it returns only when the user has answered.
  virtual void Show(const Variant& modal, const Variant& owner) = 0;
  virtual void Finish() = 0;
  virtual void Cleanup() = 0;
  virtual void Prepare() = 0;
  virtual std::string Result() = 0;
  virtual void RuleNumber(int32_t number) = 0;
  virtual void HelpContextID(int32_t id) = 0;
  virtual void Setting(const std::string& setting) = 0;
  virtual void Notify(bool notify) = 0;
};

using FeedbackPtr = std::shared_ptr<FeedbackForm>;

}  // namespace kw
