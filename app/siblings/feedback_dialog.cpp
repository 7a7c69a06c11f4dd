// The reference feedback dialog and its registration.
#include "app/siblings/feedback_dialog.h"

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/class_registry.h"

namespace trf {

void FeedbackDialog::Show(const kw::Variant&, const kw::Variant&) {
  if (!prepared_) kw::Raise(kw::err::kInvalidCall);
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

void RegisterFeedbackDialog(kw::ClassRegistry& registry, const std::shared_ptr<FeedbackDesk>& desk) {
  registry.Register(std::string(kw::class_ids::kFeedbackForm),
                    [desk] { return std::make_shared<FeedbackDialog>(desk); });
}

}  // namespace trf
