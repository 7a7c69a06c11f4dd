// SharedProcedures: activation of a form and the two context checks, a selected home and a month
// with an active TRF, that send the user to the screen that fixes a missing context.
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/screen.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/shared_procedures/context_keys.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {

namespace {
constexpr char kHomeMessage[] =
    "You need to add or select a valid home from the Our Home screen. The program will take you there now.";
constexpr int32_t kHomeRuleNumber = 2183;
constexpr char kMonthMessage[] =
    "There is no active TRF for this month. The program will now take you to the TRF Monthly Setup screen.";
constexpr int32_t kMonthRuleNumber = 2184;
}  // namespace

bool SharedProcedures::OnActivate(ActiveParams& apActiveParams, enumHomeMonth DependsOn) {
  return Guarded(class_ids::kSharedProcedures, "OnActivate", [&](Line& line) {
    // The home screen compares the reopen counter with the one last recorded but never records it.
    bool data_out_of_date = false;
    if (DependsOn == icIsHome) {
      line = 10;
      const bool first_time = Owner().FirstTime();
      line = 20;
      data_out_of_date = m_lngLastTrfReopened != TrfReopened() || first_time;
    } else {
      bool bChanged = false;
      line = 30;
      if (DependsOn == icIsMonth || DependsOn == icDependsOnHome || DependsOn == icDependsOnMonth) {
        if (!IsValidHome(apActiveParams, bChanged)) return false;
      }
      line = 40;
      if (DependsOn == icDependsOnHome || DependsOn == icDependsOnMonth) {
        if (!IsValidMonth(apActiveParams, bChanged, true)) return false;
      }
      line = 50;
      const int32_t reopened = TrfReopened();
      data_out_of_date = m_lngLastTrfReopened != reopened || bChanged;
      if (data_out_of_date) m_lngLastTrfReopened = reopened;
    }
    if (data_out_of_date) {
      line = 60;
      ClearSoftRuleCache();
      line = 70;
      Owner().DirtyOnActivate();
    }
    line = 80;
    if (!Owner().EveryOnActivate(apActiveParams)) return false;
    line = 90;
    m_objTrfContainer->FormTitle(Owner().Title());
    line = 100;
    m_objTrfContainer->FormIcon(Owner().Icon());
    return true;
  });
}

bool SharedProcedures::IsValidHome(ActiveParams& apActiveParams, bool& bChanged) {
  return Guarded(class_ids::kSharedProcedures, "IsValidHome", [&](Line& line) {
    line = 10;
    const std::string trf_type_code = m_objTrfContainer->CurrentHU_TrfTypesCD();
    if (trf_type_code != m_strLastHU_TrfTypesCD) {
      bChanged = true;
      m_strLastHU_TrfTypesCD = trf_type_code;
    }
    line = 20;
    const std::string home_id = m_objTrfContainer->CurrentH_HomesID();
    if (home_id != m_strLastH_HomesID) {
      bChanged = true;
      m_strLastH_HomesID = home_id;
    }
    line = 30;
    if (!m_strLastH_HomesID.empty()) return true;
    line = 40;
    ShowContextMessage(kHomeMessage, kHomeRuleNumber);
    line = 50;
    apActiveParams.GotoFormKey = kHomeFormKey;
    return false;
  });
}

bool SharedProcedures::IsValidMonth(ActiveParams& apActiveParams, bool& bChanged, bool /*bDisplayMessage*/) {
  return Guarded(class_ids::kSharedProcedures, "IsValidMonth", [&](Line& line) {
    line = 10;
    const std::string month_id = m_objTrfContainer->CurrentH_HomeMonthlyStatsID();
    line = 20;
    const uint8_t status = m_objTrfContainer->CurrentStatStatus();
    if (month_id != m_strLastH_HomeMonthlyStatsID || status != m_bytLastStatStatus) {
      bChanged = true;
      m_strLastH_HomeMonthlyStatsID = month_id;
      m_bytLastStatStatus = status;
    }
    line = 30;
    if (!m_strLastH_HomeMonthlyStatsID.empty() && m_bytLastStatStatus == kStatStatusActive) return true;
    line = 40;
    ShowContextMessage(kMonthMessage, kMonthRuleNumber);
    line = 50;
    apActiveParams.GotoFormKey = kMonthSetupFormKey;
    return false;
  });
}

void SharedProcedures::ShowContextMessage(const std::string& message, int32_t rule_number) {
  Screen& screen = Service<Screen>::Get();
  const int16_t saved_pointer = screen.MousePointer();
  screen.MousePointer(kPointerDefault);
  ShowFeedbackForm(message, "", kRuleHard, rule_number);
  screen.MousePointer(saved_pointer);
}

}  // namespace kw
