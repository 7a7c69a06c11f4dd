// The example's siblings: the dialog's showings and the registration that puts all of them in place.
#include "siblings.h"

#include <cstdio>

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/contracts/data.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/registration.h"

namespace first_screen {
namespace {

// Hands out the application's one container.
class Locator : public kw::ContainerLocator {
 public:
  explicit Locator(kw::ObjectPtr container) : container_(std::move(container)) {}
  std::string TypeName() const override { return "ContainerLocator"; }
  kw::ObjectPtr Container() override { return container_; }

 private:
  kw::ObjectPtr container_;
};

// State that outlives a form; one screen needs none of it.
class FormsPersist : public kw::TrfFormsPersist {
 public:
  std::string TypeName() const override { return "TrfFormsPersist"; }
  int32_t TrfReopened() override { return 0; }
  void TrfReopened(int32_t) override {}
  kw::Variant UpdateFolder() override { return kw::Variant::Text(""); }
  bool NotifyPending() override { return false; }
  void NotifyPending(bool) override {}
};

// Counts the errors a library member traps instead of raising (building a list traps one).
class ErrorCount : public kw::ErrorLog {
 public:
  std::string TypeName() const override { return "ErrorLog"; }
  void Add(const kw::Error&) override { ++count_; }
  int32_t Count() override { return count_; }

 private:
  int32_t count_ = 0;
};

// How the printout names a kind of message.
const char* RuleTypeName(int32_t rule_type) {
  return rule_type == kw::kRuleQuestion ? "question" : rule_type == kw::kRuleHard ? "hard rule" : "notice";
}

}  // namespace

void ScriptedFeedback::Show(const kw::Variant&, const kw::Variant&) {
  next_.answer = answers.empty() ? "1" : answers.front();
  if (!answers.empty()) answers.pop_front();
  std::string answer;
  if (next_.rule_type == kw::kRuleQuestion) answer = next_.answer == "0" ? " -> yes" : " -> no";
  std::printf("  dialog, %s %d: %s%s\n", RuleTypeName(next_.rule_type), next_.rule_number, next_.message.c_str(),
              answer.c_str());
  shown.push_back(next_);
}

void RegisterSiblings(const std::shared_ptr<Container>& container, const std::shared_ptr<ScriptedFeedback>& dialog) {
  kw::RegisterLibraryClasses();
  kw::ClassRegistry& registry = kw::Service<kw::ClassRegistry>::Get();
  registry.Register(kw::class_ids::kContainerLocator, [container] { return std::make_shared<Locator>(container); });
  registry.Register(kw::class_ids::kFormsPersist, [] { return std::make_shared<FormsPersist>(); });
  registry.Register(kw::class_ids::kFeedbackForm, [dialog] { return dialog; });
  registry.Register(kw::class_ids::kErrorLog, [] { return std::make_shared<ErrorCount>(); });
}

}  // namespace first_screen
