// SharedProcedures: form navigation, handed to the screen container.
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/numbers.h"
#include "ui_shared/platform/screen.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {

void SharedProcedures::GotoForm(const std::string& strForm, ActiveParams& apActivateParams) {
  Guarded(class_ids::kSharedProcedures, "GotoForm", [&](Line& line) {
    line = 10;
    const ContainerPtr container = As<TrfContainer>(m_objContainerLocator->Container());
    if (!container) Raise(err::kObjectNotSet);
    line = 20;
    (void)container->NavigateToForm(Variant::Text(strForm), apActivateParams);
  });
}

void SharedProcedures::LoadForms(const std::string& strFormKey, const Variant& strTrfTypeID) {
  Guarded(class_ids::kSharedProcedures, "LoadForms", [&](Line& line) {
    line = 10;
    Service<Screen>::Get().MousePointer(kPointerHourglass);
    line = 20;
    const int16_t trf_type = LeadingInt16(strTrfTypeID.ToText());
    line = 30;
    (void)m_objTrfContainer->LoadTrfType(trf_type);
    line = 40;
    m_objTrfContainer->OpenForm(strFormKey);
    line = 50;
    m_objTrfContainer->CurrentFormKey(strFormKey);
    line = 60;
    Service<Screen>::Get().MousePointer(kPointerDefault);
  });
}

}  // namespace kw
