// The reference siblings and their registration.
#include "app/siblings/siblings.h"

#include "app/business/business_registration.h"
#include "app/data/db_query.h"
#include "app/siblings/error_log.h"
#include "app/siblings/feedback_dialog.h"
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/service.h"

namespace trf {

kw::ObjectPtr AppContainerLocator::Container() {
  return kw::Service<ScreenContainer>::Get().shared_from_this();
}

int32_t FormsPersist::TrfReopened() { return kw::Service<PersistState>::Get().trf_reopened; }
void FormsPersist::TrfReopened(int32_t count) { kw::Service<PersistState>::Get().trf_reopened = count; }
kw::Variant FormsPersist::UpdateFolder() { return kw::Variant::Text(kw::Service<PersistState>::Get().update_folder); }
bool FormsPersist::NotifyPending() { return kw::Service<PersistState>::Get().notify_pending; }
void FormsPersist::NotifyPending(bool pending) { kw::Service<PersistState>::Get().notify_pending = pending; }

DatabaseResource::DatabaseResource() : database_(kw::Service<AppDatabase>::Get().database) {}

void RegisterApplicationClasses() {
  kw::ClassRegistry& registry = kw::Service<kw::ClassRegistry>::Get();
  registry.Register(std::string(kw::class_ids::kContainerLocator), [] { return std::make_shared<AppContainerLocator>(); });
  registry.Register(std::string(kw::class_ids::kFormsPersist), [] { return std::make_shared<FormsPersist>(); });
  registry.Register(std::string(kw::class_ids::kDBResource), [] { return std::make_shared<DatabaseResource>(); });
  RegisterQueryClass();
  RegisterFeedbackDialog();
  RegisterErrorLog();
  RegisterRecordGroupValidators();
}

}  // namespace trf
