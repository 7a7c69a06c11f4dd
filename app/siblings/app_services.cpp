// The application's wiring: the registry entries of the library, its default siblings and the
// application's data siblings, each made on the objects this AppServices owns.
#include "app/siblings/app_services.h"

#include "app/business/business_registration.h"
#include "app/data/db_query.h"
#include "app/data/trf_database.h"
#include "app/siblings/database_resource.h"
#include "ui_shared/contracts/class_ids.h"

namespace trf {

AppServices::AppServices(const std::string& db_path, Access access) : AppServices(OpenTrfDatabase(db_path, access)) {}

AppServices::AppServices(std::shared_ptr<Database> database)
    : database_(std::move(database)), notices_(database_->TakeNotices()) {
  for (const std::string& notice : notices_) siblings_.journal->errors.emplace_back(kSchemaNotice, "KW_DB", notice);
  kw::ClassRegistry& registry = *registry_;
  siblings_.Register(registry);
  registry.Register(std::string(kw::class_ids::kDBResource),
                    [database = database_] { return std::make_shared<DatabaseResource>(database); });
  RegisterQueryClass(registry, database_);
  RegisterRecordGroupValidators(registry, database_);
  ReadClassDependsOn(*database_, [this](int16_t class_number, int32_t parent) {
    siblings_.container->SetClassDependsOn(class_number, parent);
  });
}

}  // namespace trf
