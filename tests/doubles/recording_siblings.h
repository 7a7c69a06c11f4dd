// Recording doubles of the library's siblings: each logs its calls and answers what the test sets.
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
#include "ui_shared/platform/screen.h"
#include "ui_shared/platform/service.h"

namespace kw::testing {

// The screen container: holds the context the test sets and logs every read and write of it.
class RecordingContainer : public TrfContainer, public RecordingDouble {
 public:
  explicit RecordingContainer(std::shared_ptr<CallLog> log) : RecordingDouble(std::move(log), "Container") {}
  std::string TypeName() const override { return "RecordingContainer"; }

  ObjectPtr MainWindow() override { return Got("MainWindow", main_window); }
  std::string CurrentH_HomesID() override { return Got("CurrentH_HomesID", home_id); }
  void CurrentH_HomesID(const std::string& id) override { Put("CurrentH_HomesID", home_id, id); }
  void CurrentFormKey(const std::string& key) override { Hit("Let CurrentFormKey", key); }
  std::string CurrentHomeNum() override { return Got("CurrentHomeNum", home_num); }
  void CurrentHomeNum(const std::string& number) override { Put("CurrentHomeNum", home_num, number); }
  std::string CurrentH_HomeMonthlyStatsID() override { return Got("CurrentH_HomeMonthlyStatsID", month_id); }
  void CurrentH_HomeMonthlyStatsID(const std::string& id) override { Put("CurrentH_HomeMonthlyStatsID", month_id, id); }
  double CurrentTRFDate() override { return Got("CurrentTRFDate", trf_date); }
  void CurrentTRFDate(double date) override { Put("CurrentTRFDate", trf_date, date); }
  std::string CurrentTrfType() override { return Got("CurrentTrfType", trf_type); }
  void CurrentTrfType(const std::string& type) override { Put("CurrentTrfType", trf_type, type); }
  std::string CurrentHU_TrfTypesCD() override { return Got("CurrentHU_TrfTypesCD", trf_type_code); }
  void CurrentHU_TrfTypesCD(const std::string& code) override { Put("CurrentHU_TrfTypesCD", trf_type_code, code); }
  uint8_t CurrentStatStatus() override { return Got("CurrentStatStatus", stat_status); }
  void CurrentStatStatus(uint8_t status) override { Put("CurrentStatStatus", stat_status, status); }
  int32_t ClassDependsOn(const Variant& class_number) override {
    Hit("ClassDependsOn", class_number);
    const auto it = class_parents.find(class_number.ToText());
    return it == class_parents.end() ? 0 : it->second;
  }
  Variant RemoveCommandButton(const std::string& key) override {
    return Answer(Variant::Boolean(true), "RemoveCommandButton", key);
  }
  Variant SetCommandButtonState(const std::string& key, bool enabled, int16_t value) override {
    return Answer(Variant::Boolean(true), "SetCommandButtonState", key, enabled, value);
  }
  Variant AddCommandButton(const PicturePtr& picture, const std::string& key, const ObjectPtr& target, int32_t style,
                           const std::string& caption) override {
    return Answer(Variant::Boolean(true), "AddCommandButton", picture, key, target, style, caption);
  }
  void FormTitle(const std::string& title) override { Hit("Let FormTitle", title); }
  void FormIcon(const PicturePtr& icon) override { Hit("Set FormIcon", icon); }
  bool SendOffValidationMode() override { return Got("SendOffValidationMode", send_off_mode); }
  void SendOffValidationMode(bool on) override { Put("SendOffValidationMode", send_off_mode, on); }
  bool SendOffInteractive() override { return Got("SendOffInteractive", send_off_interactive); }
  Variant NavigateToForm(const Variant& key, ActiveParams& params) override {
    return Answer(Variant::Boolean(true), "NavigateToForm", key, params.GotoFormKey);
  }
  Variant LoadTrfType(int16_t type) override { return Answer(Variant::Boolean(true), "LoadTrfType", type); }
  std::string FeedbackSetting() override { return Got("FeedbackSetting", feedback_setting); }
  bool NormalScreenTermination() override { return Got("NormalScreenTermination", normal_termination); }
  void OpenForm(const std::string& key) override { Hit("OpenForm", key); }

  ObjectPtr main_window;
  std::string home_id, home_num, month_id, trf_type, trf_type_code, feedback_setting = "setting";
  double trf_date = 0;
  uint8_t stat_status = 0;
  bool send_off_mode = false, send_off_interactive = false, normal_termination = true;
  std::map<std::string, int32_t> class_parents;  // class number text -> kind
};

// The container locator: hands out the container it was built with.
class RecordingLocator : public ContainerLocator, public RecordingDouble {
 public:
  RecordingLocator(std::shared_ptr<CallLog> log, ObjectPtr container)
      : RecordingDouble(std::move(log), "Locator"), container_(std::move(container)) {}
  std::string TypeName() const override { return "RecordingLocator"; }
  ObjectPtr Container() override { return Got("Container", container_); }

 private:
  ObjectPtr container_;
};

// The persist object: the reopen counter, the update folder and the pending notification.
class RecordingPersist : public TrfFormsPersist, public RecordingDouble {
 public:
  explicit RecordingPersist(std::shared_ptr<CallLog> log) : RecordingDouble(std::move(log), "Persist") {}
  std::string TypeName() const override { return "RecordingPersist"; }
  int32_t TrfReopened() override { return Got("TrfReopened", trf_reopened); }
  void TrfReopened(int32_t count) override { Put("TrfReopened", trf_reopened, count); }
  Variant UpdateFolder() override { return Got("UpdateFolder", update_folder); }
  bool NotifyPending() override { return Got("NotifyPending", notify_pending); }
  void NotifyPending(bool pending) override { Put("NotifyPending", notify_pending, pending); }

  int32_t trf_reopened = 0;
  Variant update_folder = Variant::Text("");
  bool notify_pending = false;
};

// The owner form: answers what the test sets and logs every call the library makes.
class RecordingForm : public I_FRM_Shared, public RecordingDouble {
 public:
  explicit RecordingForm(std::shared_ptr<CallLog> log) : RecordingDouble(std::move(log), "Form") {}
  std::string TypeName() const override { return "RecordingForm"; }

  PicturePtr Icon() override { return Got("Icon", icon); }
  bool FirstTime() override { return Got("FirstTime", first_time); }
  std::string Title() override { return Got("Title", title); }
  int32_t FormEnum() override { return Got("FormEnum", 0); }
  int32_t FormHeight() override { return Got("FormHeight", 0); }
  int32_t FormWidth() override { return Got("FormWidth", 0); }
  void ValidateMyControls() override { Hit("ValidateMyControls"); }
  ObjectPtr FormControlsCollection() override { return Got("FormControlsCollection", ObjectPtr()); }
  bool Create(ActiveParams&) override { return Answer(true, "Create"); }
  bool Activate(ActiveParams&) override { return Answer(true, "Activate"); }
  bool Deactivate() override { return Answer(true, "Deactivate"); }
  bool Save() override { return Answer(true, "Save"); }
  void DirtyOnActivate() override { Hit("DirtyOnActivate"); }
  bool EveryOnActivate(ActiveParams& params) override {
    return Answer(every_on_activate, "EveryOnActivate", params.GotoFormKey);
  }
  bool DeactivateLocal() override { return Answer(deactivate_local, "DeactivateLocal"); }
  void UndoChanges() override { Hit("UndoChanges"); }
  bool ValidateForSendoff(bool disable = false) override { return Answer(true, "ValidateForSendoff", disable); }
  Variant ListItemClick(const ObjectPtr& item) override {
    return Answer(Variant(), "ListItemClick", item ? GetMember(item, "Key") : Variant::Object(nullptr));
  }
  Variant ToggleReadWrite() override { return Answer(Variant(), "ToggleReadWrite"); }
  Variant Refresh() override { return Answer(Variant(), "Refresh"); }
  void SetFocusTo(const std::string& tag) override { Hit("SetFocusTo", tag); }
  void UpdateForm() override { Hit("UpdateForm"); }
  void SetInitialFocus() override { Hit("SetInitialFocus"); }
  bool PanelVisible(std::string& name) override {
    Hit("PanelVisible", name);
    if (panel_visible) name = panel_name;
    return panel_visible;
  }

  PicturePtr icon = std::make_shared<Picture>(16, 16);
  std::string title = "Test Form";
  bool first_time = false, every_on_activate = true, deactivate_local = true;
  bool panel_visible = false;
  std::string panel_name;
};

// The feedback dialog: keeps what it was told to show and answers from a queue.
class RecordingFeedback : public FeedbackForm, public RecordingDouble {
 public:
  explicit RecordingFeedback(std::shared_ptr<CallLog> log) : RecordingDouble(std::move(log), "Dialog") {}
  std::string TypeName() const override { return "RecordingFeedback"; }

  void Feedback(const std::string& text) override { Put("Feedback", feedback, text); }
  void MoreFeedback(const std::string& text) override { Put("MoreFeedback", more_feedback, text); }
  void RuleType(const Variant& type) override {
    Hit("Let RuleType", type);
    rule_type = type.ToLong();
  }
  void Caption(const std::string& caption) override { Hit("Let Caption", caption); }
  void Icon(const PicturePtr& icon) override { Hit("Set Icon", icon); }
  // Takes the next answer and notes the screen pointer seen while the dialog is up.
  void Show(const Variant& modal, const Variant& owner) override {
    Hit("Show", modal, owner);
    pointer_during_show = Service<Screen>::Get().MousePointer();
    result_ = answers.empty() ? "0" : answers.front();
    if (!answers.empty()) answers.pop_front();
  }
  void Finish() override { Hit("Finish"); }
  void Cleanup() override { Hit("Cleanup"); }
  void Prepare() override { Hit("Prepare"); }
  std::string Result() override { return Got("Result", result_); }
  void RuleNumber(int32_t number) override { Put("RuleNumber", rule_number, number); }
  void HelpContextID(int32_t id) override { Hit("Let HelpContextID", id); }
  void Setting(const std::string& setting) override { Hit("Let Setting", setting); }
  void Notify(bool notify) override { Hit("Let Notify", notify); }

  // Answers for the coming showings, in order; "0" (accepted) when the queue is empty.
  std::deque<std::string> answers;
  // What the dialog showed last.
  std::string feedback, more_feedback;
  int32_t rule_type = -1, rule_number = -1;
  int16_t pointer_during_show = -1;

 private:
  std::string result_ = "0";
};

// The error log: logs the number of each error added and counts them.
class RecordingErrorLog : public ErrorLog, public RecordingDouble {
 public:
  explicit RecordingErrorLog(std::shared_ptr<CallLog> log) : RecordingDouble(std::move(log), "ErrorLog") {}
  std::string TypeName() const override { return "RecordingErrorLog"; }
  void Add(const Error& error) override {
    Hit("Add", error.Number());
    ++count_;
  }
  int32_t Count() override { return Got("Count", count_); }

 private:
  int32_t count_ = 0;
};

// The database resource: an in-memory location.
class RecordingDBResource : public DBResource {
 public:
  std::string TypeName() const override { return "RecordingDBResource"; }
  std::string Location() override { return ":memory:"; }
};

}  // namespace kw::testing
