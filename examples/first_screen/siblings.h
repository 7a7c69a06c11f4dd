// The siblings the library reaches through the class registry, as small as one screen needs: the
// screen container and its locator, the forms-persist object, the feedback dialog and the error
// log. A real application gives each of them a life of its own (a main window, navigation, a
// dialog a person answers); here they hold the context and let a script answer the dialog.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "ui_shared/contracts/container.h"
#include "ui_shared/contracts/feedback.h"
#include "ui_shared/contracts/sibling_codes.h"
#include "ui_shared/shared_procedures/context_keys.h"

namespace first_screen {

// The screen container: the context every screen works in, here one home with an active month.
class Container : public kw::TrfContainer {
 public:
  std::string TypeName() const override { return "Container"; }
  kw::ObjectPtr MainWindow() override { return nullptr; }
  std::string CurrentH_HomesID() override { return home_id; }
  void CurrentH_HomesID(const std::string& id) override { home_id = id; }
  void CurrentFormKey(const std::string&) override {}
  std::string CurrentHomeNum() override { return home_num; }
  void CurrentHomeNum(const std::string& number) override { home_num = number; }
  std::string CurrentH_HomeMonthlyStatsID() override { return month_id; }
  void CurrentH_HomeMonthlyStatsID(const std::string& id) override { month_id = id; }
  double CurrentTRFDate() override { return 0; }
  void CurrentTRFDate(double) override {}
  std::string CurrentTrfType() override { return {}; }
  void CurrentTrfType(const std::string&) override {}
  std::string CurrentHU_TrfTypesCD() override { return {}; }
  void CurrentHU_TrfTypesCD(const std::string&) override {}
  uint8_t CurrentStatStatus() override { return month_status; }
  void CurrentStatStatus(uint8_t status) override { month_status = status; }
  int32_t ClassDependsOn(const kw::Variant&) override { return kw::kParentIsHome; }
  kw::Variant RemoveCommandButton(const std::string&) override { return {}; }
  kw::Variant SetCommandButtonState(const std::string&, bool, int16_t) override { return {}; }
  kw::Variant AddCommandButton(const kw::PicturePtr&, const std::string&, const kw::ObjectPtr&, int32_t,
                               const std::string&) override {
    return {};
  }
  void FormTitle(const std::string& title) override { form_title = title; }
  void FormIcon(const kw::PicturePtr&) override {}
  bool SendOffValidationMode() override { return false; }
  void SendOffValidationMode(bool) override {}
  bool SendOffInteractive() override { return true; }
  kw::Variant NavigateToForm(const kw::Variant&, kw::ActiveParams&) override { return {}; }
  kw::Variant LoadTrfType(int16_t) override { return {}; }
  std::string FeedbackSetting() override { return "standard"; }
  bool NormalScreenTermination() override { return true; }
  void OpenForm(const std::string&) override {}

  std::string home_id = "1", home_num = "H-001", month_id = "7";
  uint8_t month_status = kw::kStatStatusActive;
  std::string form_title;  // what the container's title bar shows
};

// One showing of the feedback dialog.
struct Showing {
  int32_t rule_type;  // kw::kRuleQuestion, kw::kRuleHard or kw::kRuleNotice
  int32_t rule_number;
  std::string message;
  std::string answer;  // "0" accepted
};

// The feedback dialog, answered by a script instead of a person: each showing is printed, kept,
// and answered with the next scripted answer ("1", declined, when none is left).
class ScriptedFeedback : public kw::FeedbackForm {
 public:
  std::string TypeName() const override { return "FeedbackForm"; }
  void Feedback(const std::string& text) override { next_.message = text; }
  void MoreFeedback(const std::string&) override {}
  void RuleType(const kw::Variant& rule_type) override { next_.rule_type = rule_type.ToLong(); }
  void Caption(const std::string&) override {}
  void Icon(const kw::PicturePtr&) override {}
  void Show(const kw::Variant& modal, const kw::Variant& owner) override;
  void Finish() override {}
  void Cleanup() override {}
  void Prepare() override {}
  std::string Result() override { return shown.back().answer; }
  void RuleNumber(int32_t number) override { next_.rule_number = number; }
  void HelpContextID(int32_t) override {}
  void Setting(const std::string&) override {}
  void Notify(bool) override {}

  std::deque<std::string> answers;
  std::vector<Showing> shown;

 private:
  Showing next_{};
};

// Registers the siblings with the class registry in force, the library's own classes with them:
// every SharedProcedures then finds `container` through the locator and shows `dialog`.
void RegisterSiblings(const std::shared_ptr<Container>& container, const std::shared_ptr<ScriptedFeedback>& dialog);

}  // namespace first_screen
