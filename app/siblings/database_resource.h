// The database resource the library creates by name: the application's database.
#pragma once

#include <memory>
#include <string>

#include "app/data/database.h"
#include "ui_shared/contracts/data.h"

namespace trf {

class DatabaseResource : public kw::DBResource {
 public:
  explicit DatabaseResource(std::shared_ptr<Database> database) : database_(std::move(database)) {}
  std::string TypeName() const override { return "DBResource"; }
  std::string Location() override { return database_->Path(); }
  const std::shared_ptr<Database>& Connection() const { return database_; }

 private:
  std::shared_ptr<Database> database_;
};

}  // namespace trf
