// SharedProcedures: the feedback dialog, the one way the library speaks to the user about rules,
// context checks and confirmations.
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/numbers.h"
#include "ui_shared/platform/screen.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {

namespace {
// The Show argument that makes the dialog modal.
constexpr int32_t kModal = 1;
}  // namespace

int32_t SharedProcedures::ShowFeedbackForm(const std::string& strFeedBack, const std::string& strMoreFeedBack,
                                           int32_t enumRuleType, int32_t lngRuleNumber) {
  return Guarded(class_ids::kSharedProcedures, "ShowFeedbackForm", [&](Line& line) {
    line = 10;
    Screen& screen = Service<Screen>::Get();
    const int16_t saved_pointer = screen.MousePointer();
    screen.MousePointer(kPointerDefault);
    line = 20;
    if (!m_objFeedbackForm) {
      m_objFeedbackForm = CreateObjectAs<FeedbackForm>(class_ids::kFeedbackForm);
      line = 30;
      m_objFeedbackForm->Setting(m_objTrfContainer->FeedbackSetting());
    }
    FeedbackForm& dialog = *m_objFeedbackForm;
    line = 40;
    dialog.Feedback(strFeedBack);
    line = 50;
    dialog.MoreFeedback(strMoreFeedBack);
    line = 60;
    dialog.RuleType(Variant::Long(enumRuleType));
    line = 70;
    dialog.Caption(Owner().Title());
    line = 80;
    dialog.Icon(Owner().Icon());
    line = 90;
    dialog.RuleNumber(lngRuleNumber);
    line = 100;
    dialog.HelpContextID(m_lngHelpContextID);
    line = 110;
    dialog.Notify(true);
    line = 120;
    if (m_objTrfFormsPersist->NotifyPending()) m_objTrfFormsPersist->NotifyPending(false);
    line = 130;
    dialog.Prepare();
    line = 140;
    dialog.Show(Variant::Long(kModal), Variant::Object(m_objTrfContainer->MainWindow()));
    line = 150;
    dialog.Finish();
    line = 160;
    dialog.Cleanup();
    line = 170;
    const int32_t answer = LeadingInt32(dialog.Result());
    line = 180;
    screen.MousePointer(saved_pointer);
    return answer;
  });
}

I_FRM_Shared& SharedProcedures::Owner() {
  if (!m_objOwnerForm) Raise(err::kObjectNotSet);
  return *m_objOwnerForm;
}

}  // namespace kw
