// Recording doubles of the siblings.
#include "tests/doubles/recording_siblings.h"

#include "ui_shared/platform/screen.h"
#include "ui_shared/platform/service.h"

namespace kw::testing {

ObjectPtr RecordingContainer::MainWindow() { Hit("Get MainWindow"); return main_window; }
std::string RecordingContainer::CurrentH_HomesID() { Hit("Get CurrentH_HomesID"); return home_id; }
void RecordingContainer::CurrentH_HomesID(const std::string& id) { Hit("Let CurrentH_HomesID", Show(id)); home_id = id; }
void RecordingContainer::CurrentFormKey(const std::string& key) { Hit("Let CurrentFormKey", Show(key)); }
std::string RecordingContainer::CurrentHomeNum() { Hit("Get CurrentHomeNum"); return home_num; }
void RecordingContainer::CurrentHomeNum(const std::string& number) { Hit("Let CurrentHomeNum", Show(number)); home_num = number; }
std::string RecordingContainer::CurrentH_HomeMonthlyStatsID() { Hit("Get CurrentH_HomeMonthlyStatsID"); return month_id; }
void RecordingContainer::CurrentH_HomeMonthlyStatsID(const std::string& id) {
  Hit("Let CurrentH_HomeMonthlyStatsID", Show(id));
  month_id = id;
}
double RecordingContainer::CurrentTRFDate() { Hit("Get CurrentTRFDate"); return trf_date; }
void RecordingContainer::CurrentTRFDate(double date) { Hit("Let CurrentTRFDate", Show(Variant::Double(date))); trf_date = date; }
std::string RecordingContainer::CurrentTrfType() { Hit("Get CurrentTrfType"); return trf_type; }
void RecordingContainer::CurrentTrfType(const std::string& type) { Hit("Let CurrentTrfType", Show(type)); trf_type = type; }
std::string RecordingContainer::CurrentHU_TrfTypesCD() { Hit("Get CurrentHU_TrfTypesCD"); return trf_type_code; }
void RecordingContainer::CurrentHU_TrfTypesCD(const std::string& code) {
  Hit("Let CurrentHU_TrfTypesCD", Show(code));
  trf_type_code = code;
}
uint8_t RecordingContainer::CurrentStatStatus() { Hit("Get CurrentStatStatus"); return stat_status; }
void RecordingContainer::CurrentStatStatus(uint8_t status) { Hit("Let CurrentStatStatus", Show(int32_t{status})); stat_status = status; }

int32_t RecordingContainer::ClassDependsOn(const Variant& class_number) {
  Hit("ClassDependsOn", Show(class_number));
  const auto it = class_parents.find(class_number.ToText());
  return it == class_parents.end() ? 0 : it->second;
}

Variant RecordingContainer::RemoveCommandButton(const std::string& key) {
  Hit("RemoveCommandButton", Show(key));
  return Variant::Boolean(true);
}

Variant RecordingContainer::SetCommandButtonState(const std::string& key, bool enabled, int16_t value) {
  Hit("SetCommandButtonState", Show(key) + ", " + Show(enabled) + ", " + Show(int32_t{value}));
  return Variant::Boolean(true);
}

Variant RecordingContainer::AddCommandButton(const PicturePtr& picture, const std::string& key, const ObjectPtr& target,
                                             int32_t style, const std::string& caption) {
  Hit("AddCommandButton", std::string(picture ? "Picture" : "Nothing") + ", " + Show(key) + ", " +
                              (target ? target->TypeName() : "Nothing") + ", " + Show(style) + ", " + Show(caption));
  return Variant::Boolean(true);
}

void RecordingContainer::FormTitle(const std::string& title) { Hit("Let FormTitle", Show(title)); }
void RecordingContainer::FormIcon(const PicturePtr& icon) { Hit("Set FormIcon", icon ? "Picture" : "Nothing"); }
bool RecordingContainer::SendOffValidationMode() { Hit("Get SendOffValidationMode"); return send_off_mode; }
void RecordingContainer::SendOffValidationMode(bool on) { Hit("Let SendOffValidationMode", Show(on)); send_off_mode = on; }
bool RecordingContainer::SendOffInteractive() { Hit("Get SendOffInteractive"); return send_off_interactive; }

Variant RecordingContainer::NavigateToForm(const Variant& key, ActiveParams& params) {
  Hit("NavigateToForm", Show(key) + ", " + Show(params.GotoFormKey));
  return Variant::Boolean(true);
}

Variant RecordingContainer::LoadTrfType(int16_t trf_type_number) {
  Hit("LoadTrfType", Show(int32_t{trf_type_number}));
  return Variant::Boolean(true);
}

std::string RecordingContainer::FeedbackSetting() { Hit("Get FeedbackSetting"); return feedback_setting; }
bool RecordingContainer::NormalScreenTermination() { Hit("Get NormalScreenTermination"); return normal_termination; }
void RecordingContainer::OpenForm(const std::string& key) { Hit("OpenForm", Show(key)); }

ObjectPtr RecordingLocator::Container() { Hit("Get Container"); return container_; }

int32_t RecordingPersist::TrfReopened() { Hit("Get TrfReopened"); return trf_reopened; }
void RecordingPersist::TrfReopened(int32_t count) { Hit("Let TrfReopened", Show(count)); trf_reopened = count; }
Variant RecordingPersist::UpdateFolder() { Hit("Get UpdateFolder"); return update_folder; }
bool RecordingPersist::NotifyPending() { Hit("Get NotifyPending"); return notify_pending; }
void RecordingPersist::NotifyPending(bool pending) { Hit("Let NotifyPending", Show(pending)); notify_pending = pending; }

PicturePtr RecordingForm::Icon() { Hit("Get Icon"); return icon; }
bool RecordingForm::FirstTime() { Hit("Get FirstTime"); return first_time; }
std::string RecordingForm::Title() { Hit("Get Title"); return title; }
int32_t RecordingForm::FormEnum() { Hit("Get FormEnum"); return 0; }
int32_t RecordingForm::FormHeight() { Hit("Get FormHeight"); return 0; }
int32_t RecordingForm::FormWidth() { Hit("Get FormWidth"); return 0; }
void RecordingForm::ValidateMyControls() { Hit("ValidateMyControls"); }
ObjectPtr RecordingForm::FormControlsCollection() { Hit("Get FormControlsCollection"); return nullptr; }
bool RecordingForm::Create(ActiveParams&) { Hit("Create"); return true; }
bool RecordingForm::Activate(ActiveParams&) { Hit("Activate"); return true; }
bool RecordingForm::Deactivate() { Hit("Deactivate"); return true; }
bool RecordingForm::Save() { Hit("Save"); return true; }
void RecordingForm::DirtyOnActivate() { Hit("DirtyOnActivate"); }
bool RecordingForm::EveryOnActivate(ActiveParams& params) {
  Hit("EveryOnActivate", Show(params.GotoFormKey));
  return every_on_activate;
}
bool RecordingForm::DeactivateLocal() { Hit("DeactivateLocal"); return deactivate_local; }
void RecordingForm::UndoChanges() { Hit("UndoChanges"); }
bool RecordingForm::ValidateForSendoff(bool disable) { Hit("ValidateForSendoff", Show(disable)); return true; }
Variant RecordingForm::ListItemClick(const ObjectPtr& item) {
  Hit("ListItemClick", item ? Show(GetMember(item, "Key")) : "Nothing");
  return {};
}
Variant RecordingForm::ToggleReadWrite() { Hit("ToggleReadWrite"); return {}; }
Variant RecordingForm::Refresh() { Hit("Refresh"); return {}; }
void RecordingForm::SetFocusTo(const std::string& tag) { Hit("SetFocusTo", Show(tag)); }
void RecordingForm::UpdateForm() { Hit("UpdateForm"); }
void RecordingForm::SetInitialFocus() { Hit("SetInitialFocus"); }
bool RecordingForm::PanelVisible(std::string& name) {
  Hit("PanelVisible", Show(name));
  if (panel_visible) name = panel_name;
  return panel_visible;
}

void RecordingFeedback::Feedback(const std::string& text) { Hit("Let Feedback", testing::Show(text)); feedback = text; }
void RecordingFeedback::MoreFeedback(const std::string& text) { Hit("Let MoreFeedback", testing::Show(text)); more_feedback = text; }
void RecordingFeedback::RuleType(const Variant& type) { Hit("Let RuleType", testing::Show(type)); rule_type = type.ToLong(); }
void RecordingFeedback::Caption(const std::string& caption) { Hit("Let Caption", testing::Show(caption)); }
void RecordingFeedback::Icon(const PicturePtr& icon) { Hit("Set Icon", icon ? "Picture" : "Nothing"); }
void RecordingFeedback::Show(const Variant& modal, const Variant& owner) {
  Hit("Show", testing::Show(modal) + ", " + testing::Show(owner));
  pointer_during_show = Service<Screen>::Get().MousePointer();
  if (answers.empty()) {
    result_ = "0";
  } else {
    result_ = answers.front();
    answers.pop_front();
  }
}
void RecordingFeedback::Finish() { Hit("Finish"); }
void RecordingFeedback::Cleanup() { Hit("Cleanup"); }
void RecordingFeedback::Prepare() { Hit("Prepare"); }
std::string RecordingFeedback::Result() { Hit("Get Result"); return result_; }
void RecordingFeedback::RuleNumber(int32_t number) { Hit("Let RuleNumber", testing::Show(number)); rule_number = number; }
void RecordingFeedback::HelpContextID(int32_t id) { Hit("Let HelpContextID", testing::Show(id)); }
void RecordingFeedback::Setting(const std::string& setting) { Hit("Let Setting", testing::Show(setting)); }
void RecordingFeedback::Notify(bool notify) { Hit("Let Notify", testing::Show(notify)); }

void RecordingErrorLog::Add(const Error& error) {
  Hit("Add", testing::Show(error.Number()));
  ++count_;
}
int32_t RecordingErrorLog::Count() { Hit("Get Count"); return count_; }

}  // namespace kw::testing
