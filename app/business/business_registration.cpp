// Registration of the record-group validators and loading of the class-to-parent table.
#include "app/business/business_registration.h"

#include "app/business/group_validators.h"
#include "app/business/record_groups.h"
#include "app/siblings/siblings.h"
#include "app/data/trf_database.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/platform/text.h"

namespace trf {

namespace {

// Registers `Validator` for a business-object class name, under the name the library derives
// from it: the class name from its third character ("LIResidents" -> "KW01.RGResidents").
template <class Validator>
void RegisterValidator(const std::string& class_name) {
  RegisterRecordGroupValidator(kw::text::Mid(class_name, 3), [] {
    return std::make_shared<Validator>(kw::Service<AppDatabase>::Get().database);
  });
}

}  // namespace

void RegisterRecordGroupValidators() {
  RegisterValidator<RGResidents>("LIResidents");
  RegisterValidator<RGFamilyGroups>("LIFamilyGroups");
}

void LoadClassDependsOn(ScreenContainer& container, Database& database) {
  auto query = database.Prepare("SELECT S_ClassEnum, S_DependsOn FROM tbS_ClassDependsOn");
  while (query->Step()) container.SetClassDependsOn(query->Column(0).ToInteger(), query->Column(1).ToLong());
}

std::shared_ptr<Database> InstallTrfDatabase(const std::string& path) {
  auto database = OpenTrfDatabase(path);
  kw::Service<AppDatabase>::Replace(std::make_shared<AppDatabase>(AppDatabase{database}));
  LoadClassDependsOn(kw::Service<ScreenContainer>::Get(), *database);
  return database;
}

}  // namespace trf
