// ScreenContainer: the library's default screen container, the one a program registers with
// RegisterDefaultSiblings. It holds the shared context (home, month record, TRF type, status,
// date), the send-off state, the command bar, the class-to-parent table, and hands navigation
// requests to the front end that hosts the screens.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui_shared/contracts/container.h"
#include "ui_shared/defaults/command_bar.h"

namespace kw {

// The default container's main window: the owner the feedback dialog is shown above.
class ApplicationWindow : public Object {
 public:
  // The type name the runtime reports: "MainWindow".
  std::string TypeName() const override { return "MainWindow"; }
  // The text of the window's title bar.
  std::string caption = "TRF";
};

// The container a program registers with RegisterDefaultSiblings (default_siblings.h): it holds
// the context every screen works in, keeps the command bar and the active form's title and icon,
// and hands navigation to the front end that shows the screens (SetNavigator).
class ScreenContainer : public TrfContainer {
 public:
  // A container with no home, month or TRF chosen, an interactive setting of "standard", and no
  // front end to navigate with.
  ScreenContainer();
  // The type name the runtime reports: "ScreenContainer".
  std::string TypeName() const override { return "ScreenContainer"; }

  ObjectPtr MainWindow() override { return main_window_; }
  std::string CurrentH_HomesID() override { return home_id_; }
  void CurrentH_HomesID(const std::string& id) override { home_id_ = id; }
  void CurrentFormKey(const std::string& key) override { current_form_key_ = key; }
  std::string CurrentHomeNum() override { return home_num_; }
  void CurrentHomeNum(const std::string& number) override { home_num_ = number; }
  std::string CurrentH_HomeMonthlyStatsID() override { return month_id_; }
  void CurrentH_HomeMonthlyStatsID(const std::string& id) override { month_id_ = id; }
  double CurrentTRFDate() override { return trf_date_; }
  void CurrentTRFDate(double date) override { trf_date_ = date; }
  std::string CurrentTrfType() override { return trf_type_; }
  void CurrentTrfType(const std::string& type) override { trf_type_ = type; }
  std::string CurrentHU_TrfTypesCD() override { return trf_type_code_; }
  void CurrentHU_TrfTypesCD(const std::string& code) override { trf_type_code_ = code; }
  uint8_t CurrentStatStatus() override { return stat_status_; }
  void CurrentStatStatus(uint8_t status) override { stat_status_ = status; }
  // The parent kind SetClassDependsOn recorded for the class; 0 (no parent) for any other class.
  int32_t ClassDependsOn(const Variant& class_number) override;
  // Takes the button off the bar; true when there was one.
  Variant RemoveCommandButton(const std::string& key) override;
  // Sets the button's state (CommandBar::SetState); true when there is such a button.
  Variant SetCommandButtonState(const std::string& key, bool enabled, int16_t value) override;
  // Appends the button to the bar, available and not pressed; always true.
  Variant AddCommandButton(const PicturePtr& picture, const std::string& key, const ObjectPtr& target, int32_t style,
                           const std::string& caption) override;
  void FormTitle(const std::string& title) override { form_title_ = title; }
  void FormIcon(const PicturePtr& icon) override { form_icon_ = icon; }
  bool SendOffValidationMode() override { return send_off_mode_; }
  void SendOffValidationMode(bool on) override { send_off_mode_ = on; }
  // False until SetSendOffInteractive says otherwise: a send-off run asks nobody.
  bool SendOffInteractive() override { return send_off_interactive_; }
  // Records the form's key and hands it to the navigator; always true.
  Variant NavigateToForm(const Variant& form_key, ActiveParams& params) override;
  // Records the TRF type (LoadedTrfType); always true.
  Variant LoadTrfType(int16_t trf_type) override;
  std::string FeedbackSetting() override { return feedback_setting_; }
  bool NormalScreenTermination() override { return normal_termination_; }
  // Records the form's key and hands it to the navigator with an activation record of its own.
  void OpenForm(const std::string& form_key) override;

  // ---- The container's own side, for the program that owns it ----

  // Makes a send-off run ask the person (true) or run without asking (false).
  void SetSendOffInteractive(bool interactive) { send_off_interactive_ = interactive; }
  // Changes what FeedbackSetting answers from now on.
  void SetFeedbackSetting(std::string setting) { feedback_setting_ = std::move(setting); }
  // Whether the screens ended normally, which the container only keeps for the library.
  void SetNormalScreenTermination(bool normal) { normal_termination_ = normal; }
  // Records the kind of parent (4 home, 5 month record) of a business-object class.
  void SetClassDependsOn(int16_t class_number, int32_t kind) { class_parents_[class_number] = kind; }
  // The front end that shows forms: called with the key of every form to show.
  void SetNavigator(std::function<void(const std::string&, ActiveParams&)> navigator) {
    navigator_ = std::move(navigator);
  }

  // The title the active form gave the container.
  const std::string& FormTitle() const { return form_title_; }
  // The icon the active form gave the container.
  const PicturePtr& FormIcon() const { return form_icon_; }
  // The key of the form shown last (or named by the library's LoadForms).
  const std::string& CurrentFormKey() const { return current_form_key_; }
  // The TRF type LoadTrfType loaded last; 0 before the first.
  int16_t LoadedTrfType() const { return loaded_trf_type_; }
  // Every form key shown through NavigateToForm or OpenForm, in order.
  const std::vector<std::string>& NavigationHistory() const { return navigation_history_; }
  // The command bar, whose buttons a front end draws.
  CommandBar& Bar() { return bar_; }
  // The user clicks a command button: the front end hands the click on here (CommandBar::Click).
  bool ClickCommandButton(std::string_view key) { return bar_.Click(key); }

 private:
  void Show(const std::string& key, ActiveParams& params);

  std::shared_ptr<ApplicationWindow> main_window_;
  std::string home_id_, home_num_, month_id_, trf_type_, trf_type_code_;
  double trf_date_ = 0;
  uint8_t stat_status_ = 0;
  bool send_off_mode_ = false;
  bool send_off_interactive_ = false;
  bool normal_termination_ = true;
  std::string feedback_setting_ = "standard";
  std::string form_title_;
  PicturePtr form_icon_;
  std::string current_form_key_;
  int16_t loaded_trf_type_ = 0;
  std::vector<std::string> navigation_history_;
  std::map<int16_t, int32_t> class_parents_;
  std::function<void(const std::string&, ActiveParams&)> navigator_;
  CommandBar bar_;
};

}  // namespace kw
