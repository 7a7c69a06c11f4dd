// The application's wiring: the registry entries of the library and of the reference siblings, each
// sibling made on the objects this AppServices owns.
#include "app/siblings/app_services.h"

#include "app/business/business_registration.h"
#include "app/data/db_query.h"
#include "app/data/trf_database.h"
#include "app/siblings/container_locator.h"
#include "app/siblings/database_resource.h"
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/registration.h"

namespace trf {

AppServices::AppServices(const std::string& db_path, Access access) : AppServices(OpenTrfDatabase(db_path, access)) {}

AppServices::AppServices(std::shared_ptr<Database> database)
    : database_(std::move(database)), notices_(database_->TakeNotices()) {
  for (const std::string& notice : notices_) journal_->errors.emplace_back(kSchemaNotice, "KW_DB", notice);
  kw::RegisterLibraryClasses();
  kw::ClassRegistry& registry = *registry_;
  registry.Register(std::string(kw::class_ids::kContainerLocator),
                    [container = container_] { return std::make_shared<AppContainerLocator>(container); });
  registry.Register(std::string(kw::class_ids::kFormsPersist),
                    [persist = persist_] { return std::make_shared<FormsPersist>(persist); });
  registry.Register(std::string(kw::class_ids::kDBResource),
                    [database = database_] { return std::make_shared<DatabaseResource>(database); });
  RegisterQueryClass(registry, database_);
  RegisterFeedbackDialog(registry, desk_);
  RegisterErrorLog(registry, journal_);
  RegisterRecordGroupValidators(registry, database_);
  ReadClassDependsOn(*database_, [this](int16_t class_number, int32_t parent) {
    container_->SetClassDependsOn(class_number, parent);
  });
}

}  // namespace trf
