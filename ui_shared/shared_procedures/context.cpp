// SharedProcedures: construction, destruction and the members that hold or forward the shared
// context.
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/clock.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {

SharedProcedures::SharedProcedures() {
  Guarded(class_ids::kSharedProcedures, "Class_Initialize", [&](Line& line) {
    line = 10;
    m_objTrfFormsPersist = CreateObjectAs<TrfFormsPersist>(class_ids::kFormsPersist);
    line = 20;
    m_objContainerLocator = CreateObjectAs<ContainerLocator>(class_ids::kContainerLocator);
    line = 30;
    m_objTrfContainer = As<TrfContainer>(m_objContainerLocator->Container());
    if (!m_objTrfContainer) Raise(err::kObjectNotSet);
    line = 40;
    m_dicRecordCache = std::make_unique<Dictionary>();
    m_dicRecordGroupCache = std::make_unique<Dictionary>();
    line = 50;
    m_blnAutoFillArmed = true;
    line = 60;
    m_dtmLastCacheClearing = Service<Clock>::Get().Now();
    line = 70;
    scNew = "NEW";
  });
}

SharedProcedures::~SharedProcedures() { m_objFeedbackForm.reset(); }

bool SharedProcedures::SendOffValidationMode() { return m_objTrfContainer->SendOffValidationMode(); }
void SharedProcedures::SendOffValidationMode(bool on) { m_objTrfContainer->SendOffValidationMode(on); }

std::string SharedProcedures::CurrentH_HomesID() { return m_objTrfContainer->CurrentH_HomesID(); }
void SharedProcedures::CurrentH_HomesID(const std::string& id) { m_objTrfContainer->CurrentH_HomesID(id); }
std::string SharedProcedures::CurrentHomeNum() { return m_objTrfContainer->CurrentHomeNum(); }
void SharedProcedures::CurrentHomeNum(const std::string& number) { m_objTrfContainer->CurrentHomeNum(number); }
std::string SharedProcedures::CurrentH_HomeMonthlyStatsID() { return m_objTrfContainer->CurrentH_HomeMonthlyStatsID(); }
void SharedProcedures::CurrentH_HomeMonthlyStatsID(const std::string& id) {
  m_objTrfContainer->CurrentH_HomeMonthlyStatsID(id);
}
double SharedProcedures::CurrentTRFDate() { return m_objTrfContainer->CurrentTRFDate(); }
void SharedProcedures::CurrentTRFDate(double date) { m_objTrfContainer->CurrentTRFDate(date); }
std::string SharedProcedures::CurrentTrfType() { return m_objTrfContainer->CurrentTrfType(); }
void SharedProcedures::CurrentTrfType(const std::string& type) { m_objTrfContainer->CurrentTrfType(type); }
std::string SharedProcedures::CurrentHU_TrfTypesCD() { return m_objTrfContainer->CurrentHU_TrfTypesCD(); }
void SharedProcedures::CurrentHU_TrfTypesCD(const std::string& code) { m_objTrfContainer->CurrentHU_TrfTypesCD(code); }
uint8_t SharedProcedures::CurrentStatStatus() { return m_objTrfContainer->CurrentStatStatus(); }
void SharedProcedures::CurrentStatStatus(uint8_t status) { m_objTrfContainer->CurrentStatStatus(status); }
bool SharedProcedures::NormalScreenTermination() { return m_objTrfContainer->NormalScreenTermination(); }

int32_t SharedProcedures::TrfReopened() { return m_objTrfFormsPersist->TrfReopened(); }
void SharedProcedures::TrfReopened(int32_t count) { m_objTrfFormsPersist->TrfReopened(count); }

void SharedProcedures::HelpContextID(int32_t id) {
  Guarded(class_ids::kSharedProcedures, "Let HelpContextID", [&](Line& line) {
    line = 10;
    m_lngHelpContextID = id;
  });
}

std::shared_ptr<kw::DBResource> SharedProcedures::DBResource() {
  return Guarded(class_ids::kSharedProcedures, "Get DBResource", [&](Line& line) {
    line = 10;
    if (!m_objDBResource) m_objDBResource = CreateObjectAs<kw::DBResource>(class_ids::kDBResource);
    line = 20;
    return m_objDBResource;
  });
}

bool SharedProcedures::IsNonInteractiveSendOff() {
  return m_objTrfContainer->SendOffValidationMode() && !m_objTrfContainer->SendOffInteractive();
}

}  // namespace kw
