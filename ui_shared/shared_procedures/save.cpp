// SharedProcedures: the shared save step of a form and the deactivation that leaves it.
#include <tuple>

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/contracts/sibling_codes.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {

namespace {
constexpr char kNamedPanelBefore[] = "Unable to save while ";
constexpr char kNamedPanelAfter[] = " dialog box is visible. Please close dialog and try again.";
constexpr int32_t kNamedPanelRuleNumber = 2181;
constexpr char kUnnamedPanelMessage[] =
    "Unable to save while a dialog box on the screen is visible. Please close dialog and try again.";
constexpr int32_t kUnnamedPanelRuleNumber = 2182;
}  // namespace

bool SharedProcedures::OnSave(const LIPtr& objLI, bool blnSkipControlValidation) {
  return Guarded(class_ids::kSharedProcedures, "OnSave", [&](Line& line) {
    line = 10;
    std::string panel;
    if (Owner().PanelVisible(panel)) {
      line = 20;
      if (!panel.empty())
        ShowFeedbackForm(kNamedPanelBefore + panel + kNamedPanelAfter, "", kRuleNotice, kNamedPanelRuleNumber);
      else
        ShowFeedbackForm(kUnnamedPanelMessage, "", kRuleNotice, kUnnamedPanelRuleNumber);
      return false;
    }
    line = 30;
    if (!objLI) return true;
    I_LI& li = *objLI;
    line = 40;
    if (li.Count() == 0) {
      line = 50;
      RunBatchWrite(li);
      return true;
    }
    line = 60;
    if (!blnSkipControlValidation) Owner().ValidateMyControls();
    line = 70;
    if (!li.Save(false)) {
      line = 80;
      if (!DisplayRecordErrors(objLI, false, nullptr, 0, 0, true)) return false;
      line = 90;
      std::ignore = li.Save(true);  // forced after the user saw the broken rules
    }
    line = 100;
    RunBatchWrite(li);
    return true;
  });
}

bool SharedProcedures::OnDeactivate(const LIPtr& objLI, bool blnSkipControlValidation) {
  return Guarded(class_ids::kSharedProcedures, "OnDeactivate", [&](Line& line) {
    line = 10;
    if (!OnSave(objLI, blnSkipControlValidation)) return false;
    line = 20;
    if (!IsNonInteractiveSendOff()) {
      line = 30;
      if (!ValidateRecordGroup(objLI, false)) return false;
    }
    line = 40;
    return Owner().DeactivateLocal();
  });
}

void SharedProcedures::RunBatchWrite(I_LI& objLI) {
  if (objLI.SaveMode() != kSaveModeBatch) return;
  const Variant filter = objLI.Filter();
  if (!DiffersFromZero(filter)) {
    objLI.SaveBatch();
    return;
  }
  const int16_t position = objLI.CurrentIndex().ToInteger();
  objLI.Filter(Variant::Long(0));
  objLI.SaveBatch();
  objLI.Filter(filter);
  objLI.CurrentIndex(Variant::Integer(position));
}

}  // namespace kw
