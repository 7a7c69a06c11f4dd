// Registration of the record-group validators and reading of the class-to-parent table.
#include "app/business/business_registration.h"

#include "app/business/group_validators.h"
#include "app/business/record_groups.h"
#include "ui_shared/platform/text.h"

namespace trf {
namespace {

// Registers `Validator` for a business-object class name, under the name the library derives
// from it: the class name from its third character ("LIResidents" -> "KW01.RGResidents").
template <class Validator>
void RegisterValidator(kw::ClassRegistry& registry, const std::string& class_name,
                       const std::shared_ptr<Database>& database) {
  RegisterRecordGroupValidator(registry, kw::text::Mid(class_name, 3),
                               [database] { return std::make_shared<Validator>(database); });
}

}  // namespace

void RegisterRecordGroupValidators(kw::ClassRegistry& registry, const std::shared_ptr<Database>& database) {
  RegisterValidator<RGResidents>(registry, "LIResidents", database);
  RegisterValidator<RGFamilyGroups>(registry, "LIFamilyGroups", database);
}

void ReadClassDependsOn(Database& database, const std::function<void(int16_t, int32_t)>& depends_on) {
  auto query = database.Prepare("SELECT S_ClassEnum, S_DependsOn FROM tbS_ClassDependsOn");
  while (query->Step()) depends_on(query->Column(0).ToInteger(), query->Column(1).ToLong());
}

}  // namespace trf
