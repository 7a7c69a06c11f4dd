// Recording doubles of the library's siblings: container, locator, persist object, owner form,
// feedback dialog, error log and database resource. Each logs every call with its arguments into
// a shared CallLog, answers what the test sets, and can raise an armed error.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <string>

#include "tests/doubles/call_log.h"
#include "ui_shared/contracts/container.h"
#include "ui_shared/contracts/data.h"
#include "ui_shared/contracts/feedback.h"
#include "ui_shared/forms/form_contract.h"

namespace kw::testing {

class RecordingContainer : public TrfContainer, public RecordingDouble {
 public:
  explicit RecordingContainer(std::shared_ptr<CallLog> log) : RecordingDouble(std::move(log), "Container") {}
  std::string TypeName() const override { return "RecordingContainer"; }

  ObjectPtr MainWindow() override;
  std::string CurrentH_HomesID() override;
  void CurrentH_HomesID(const std::string& id) override;
  void CurrentFormKey(const std::string& key) override;
  std::string CurrentHomeNum() override;
  void CurrentHomeNum(const std::string& number) override;
  std::string CurrentH_HomeMonthlyStatsID() override;
  void CurrentH_HomeMonthlyStatsID(const std::string& id) override;
  double CurrentTRFDate() override;
  void CurrentTRFDate(double date) override;
  std::string CurrentTrfType() override;
  void CurrentTrfType(const std::string& type) override;
  std::string CurrentHU_TrfTypesCD() override;
  void CurrentHU_TrfTypesCD(const std::string& code) override;
  uint8_t CurrentStatStatus() override;
  void CurrentStatStatus(uint8_t status) override;
  int32_t ClassDependsOn(const Variant& class_number) override;
  Variant RemoveCommandButton(const std::string& key) override;
  Variant SetCommandButtonState(const std::string& key, bool enabled, int16_t value) override;
  Variant AddCommandButton(const PicturePtr& picture, const std::string& key, const ObjectPtr& target, int32_t style,
                           const std::string& caption) override;
  void FormTitle(const std::string& title) override;
  void FormIcon(const PicturePtr& icon) override;
  bool SendOffValidationMode() override;
  void SendOffValidationMode(bool on) override;
  bool SendOffInteractive() override;
  Variant NavigateToForm(const Variant& form_key, ActiveParams& params) override;
  Variant LoadTrfType(int16_t trf_type) override;
  std::string FeedbackSetting() override;
  bool NormalScreenTermination() override;
  void OpenForm(const std::string& form_key) override;

  // What the container holds and answers; tests set these directly.
  ObjectPtr main_window;
  std::string home_id, home_num, month_id, trf_type, trf_type_code, feedback_setting = "setting";
  double trf_date = 0;
  uint8_t stat_status = 0;
  bool send_off_mode = false, send_off_interactive = false, normal_termination = true;
  std::map<std::string, int32_t> class_parents;  // class number text -> kind
};

class RecordingLocator : public ContainerLocator, public RecordingDouble {
 public:
  RecordingLocator(std::shared_ptr<CallLog> log, ObjectPtr container)
      : RecordingDouble(std::move(log), "Locator"), container_(std::move(container)) {}
  std::string TypeName() const override { return "RecordingLocator"; }
  ObjectPtr Container() override;

 private:
  ObjectPtr container_;
};

class RecordingPersist : public TrfFormsPersist, public RecordingDouble {
 public:
  explicit RecordingPersist(std::shared_ptr<CallLog> log) : RecordingDouble(std::move(log), "Persist") {}
  std::string TypeName() const override { return "RecordingPersist"; }
  int32_t TrfReopened() override;
  void TrfReopened(int32_t count) override;
  Variant UpdateFolder() override;
  bool NotifyPending() override;
  void NotifyPending(bool pending) override;

  int32_t trf_reopened = 0;
  Variant update_folder = Variant::Text("");
  bool notify_pending = false;
};

class RecordingForm : public I_FRM_Shared, public RecordingDouble {
 public:
  explicit RecordingForm(std::shared_ptr<CallLog> log) : RecordingDouble(std::move(log), "Form") {}
  std::string TypeName() const override { return "RecordingForm"; }

  PicturePtr Icon() override;
  bool FirstTime() override;
  std::string Title() override;
  int32_t FormEnum() override;
  int32_t FormHeight() override;
  int32_t FormWidth() override;
  void ValidateMyControls() override;
  ObjectPtr FormControlsCollection() override;
  bool Create(ActiveParams& apActiveParams) override;
  bool Activate(ActiveParams& apActiveParams) override;
  bool Deactivate() override;
  bool Save() override;
  void DirtyOnActivate() override;
  bool EveryOnActivate(ActiveParams& apActiveParams) override;
  bool DeactivateLocal() override;
  void UndoChanges() override;
  bool ValidateForSendoff(bool blnDisableMessages = false) override;
  Variant ListItemClick(const ObjectPtr& objItem) override;
  Variant ToggleReadWrite() override;
  Variant Refresh() override;
  void SetFocusTo(const std::string& strTag) override;
  void UpdateForm() override;
  void SetInitialFocus() override;
  bool PanelVisible(std::string& strVisiblePanel) override;

  PicturePtr icon = std::make_shared<Picture>(16, 16);
  std::string title = "Test Form";
  bool first_time = false, every_on_activate = true, deactivate_local = true;
  bool panel_visible = false;
  std::string panel_name;
};

class RecordingFeedback : public FeedbackForm, public RecordingDouble {
 public:
  explicit RecordingFeedback(std::shared_ptr<CallLog> log) : RecordingDouble(std::move(log), "Dialog") {}
  std::string TypeName() const override { return "RecordingFeedback"; }

  void Feedback(const std::string& text) override;
  void MoreFeedback(const std::string& text) override;
  void RuleType(const Variant& rule_type) override;
  void Caption(const std::string& caption) override;
  void Icon(const PicturePtr& icon) override;
  void Show(const Variant& modal, const Variant& owner) override;
  void Finish() override;
  void Cleanup() override;
  void Prepare() override;
  std::string Result() override;
  void RuleNumber(int32_t number) override;
  void HelpContextID(int32_t id) override;
  void Setting(const std::string& setting) override;
  void Notify(bool notify) override;

  // Answers for the coming showings, in order; "0" (accepted) when the queue is empty.
  std::deque<std::string> answers;
  // What the dialog showed last.
  std::string feedback, more_feedback;
  int32_t rule_type = -1, rule_number = -1;
  // The screen pointer seen while the dialog was up.
  int16_t pointer_during_show = -1;

 private:
  std::string result_ = "0";
};

class RecordingErrorLog : public ErrorLog, public RecordingDouble {
 public:
  explicit RecordingErrorLog(std::shared_ptr<CallLog> log) : RecordingDouble(std::move(log), "ErrorLog") {}
  std::string TypeName() const override { return "RecordingErrorLog"; }
  void Add(const Error& error) override;
  int32_t Count() override;

 private:
  int32_t count_ = 0;
};

class RecordingDBResource : public DBResource {
 public:
  std::string TypeName() const override { return "RecordingDBResource"; }
  std::string Location() override { return ":memory:"; }
};

}  // namespace kw::testing
