// Registration of the business-object component with the application: the record-group
// validators under their names, and the class-to-parent answers the container gives.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "app/data/database.h"
#include "ui_shared/platform/class_registry.h"

namespace trf {

// Registers every record-group validator under "KW01.RG" + its class name from the third
// character; each works on `database`.
void RegisterRecordGroupValidators(kw::ClassRegistry& registry, const std::shared_ptr<Database>& database);

// Calls `depends_on(class number, parent kind)` (4 home, 5 month record) for every class in the
// database's class-to-parent table.
void ReadClassDependsOn(Database& database, const std::function<void(int16_t, int32_t)>& depends_on);

}  // namespace trf
