// Registration of the business-object component with the application: the record-group
// validators under their names, and the container's class-to-parent answers from the database.
#pragma once

#include <memory>
#include <string>

#include "app/data/database.h"
#include "app/siblings/screen_container.h"

namespace trf {

// Registers every record-group validator under "KW01.RG" + its class name from the third
// character; each works on the application's database in force when it is created.
void RegisterRecordGroupValidators();

// Gives the container the parent kind (4 home, 5 month record) of every class in the database's
// class-to-parent table.
void LoadClassDependsOn(ScreenContainer& container, Database& database);

// Opens the TRF database at `path` (created with its sample data when missing), puts it in force
// as the application's database and loads its class-to-parent table into the container in force.
std::shared_ptr<Database> InstallTrfDatabase(const std::string& path);

}  // namespace trf
