// ScreenContainer: the application's one screen container. It holds the shared context (home,
// month record, TRF type, status, date), the send-off state, the command bar, the class-to-parent
// table, and hands navigation requests to the front end that hosts the screens.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/siblings/command_bar.h"
#include "ui_shared/contracts/container.h"

namespace trf {

// The application's main window, owner of modal dialogs.
class MainWindow : public kw::Object {
 public:
  std::string TypeName() const override { return "MainWindow"; }
  std::string caption = "TRF";
};

class ScreenContainer : public kw::TrfContainer {
 public:
  ScreenContainer();
  std::string TypeName() const override { return "ScreenContainer"; }
  static std::shared_ptr<ScreenContainer> MakeDefault() { return std::make_shared<ScreenContainer>(); }

  kw::ObjectPtr MainWindow() override { return main_window_; }
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
  int32_t ClassDependsOn(const kw::Variant& class_number) override;
  kw::Variant RemoveCommandButton(const std::string& key) override;
  kw::Variant SetCommandButtonState(const std::string& key, bool enabled, int16_t value) override;
  kw::Variant AddCommandButton(const kw::PicturePtr& picture, const std::string& key, const kw::ObjectPtr& target,
                               int32_t style, const std::string& caption) override;
  void FormTitle(const std::string& title) override { form_title_ = title; }
  void FormIcon(const kw::PicturePtr& icon) override { form_icon_ = icon; }
  bool SendOffValidationMode() override { return send_off_mode_; }
  void SendOffValidationMode(bool on) override { send_off_mode_ = on; }
  bool SendOffInteractive() override { return send_off_interactive_; }
  kw::Variant NavigateToForm(const kw::Variant& form_key, kw::ActiveParams& params) override;
  kw::Variant LoadTrfType(int16_t trf_type) override;
  std::string FeedbackSetting() override { return feedback_setting_; }
  bool NormalScreenTermination() override { return normal_termination_; }
  void OpenForm(const std::string& form_key) override;

  // The container's own side, for the program and the tests.
  void SetSendOffInteractive(bool interactive) { send_off_interactive_ = interactive; }
  void SetFeedbackSetting(std::string setting) { feedback_setting_ = std::move(setting); }
  void SetNormalScreenTermination(bool normal) { normal_termination_ = normal; }
  // Records the kind of parent (4 home, 5 month record) of a business-object class.
  void SetClassDependsOn(int16_t class_number, int32_t kind) { class_parents_[class_number] = kind; }
  // The front end that shows forms: called with the key of every form to show.
  void SetNavigator(std::function<void(const std::string&, kw::ActiveParams&)> navigator) {
    navigator_ = std::move(navigator);
  }

  const std::string& FormTitle() const { return form_title_; }
  const kw::PicturePtr& FormIcon() const { return form_icon_; }
  const std::string& CurrentFormKey() const { return current_form_key_; }
  int16_t LoadedTrfType() const { return loaded_trf_type_; }
  // Every form key shown through NavigateToForm or OpenForm, in order.
  const std::vector<std::string>& NavigationHistory() const { return navigation_history_; }
  CommandBar& Bar() { return bar_; }
  // The user clicks a command button: the front end hands the click on here (CommandBar::Click).
  bool ClickCommandButton(std::string_view key) { return bar_.Click(key); }

 private:
  void Show(const std::string& key, kw::ActiveParams& params);

  std::shared_ptr<trf::MainWindow> main_window_;
  std::string home_id_, home_num_, month_id_, trf_type_, trf_type_code_;
  double trf_date_ = 0;
  uint8_t stat_status_ = 0;
  bool send_off_mode_ = false;
  bool send_off_interactive_ = false;
  bool normal_termination_ = true;
  std::string feedback_setting_ = "standard";
  std::string form_title_;
  kw::PicturePtr form_icon_;
  std::string current_form_key_;
  int16_t loaded_trf_type_ = 0;
  std::vector<std::string> navigation_history_;
  std::map<int16_t, int32_t> class_parents_;
  std::function<void(const std::string&, kw::ActiveParams&)> navigator_;
  CommandBar bar_;
};

}  // namespace trf
