// The reference siblings the library creates by name: the container locator that hands out the
// application's one container, the forms-persist object whose state every instance shares, and
// the database resource over the application's database.
#pragma once

#include <memory>
#include <string>

#include "app/data/database.h"
#include "app/siblings/screen_container.h"
#include "ui_shared/contracts/container.h"
#include "ui_shared/contracts/data.h"

namespace trf {

// Hands out the container in force (Service<ScreenContainer>).
class AppContainerLocator : public kw::ContainerLocator {
 public:
  std::string TypeName() const override { return "ContainerLocator"; }
  kw::ObjectPtr Container() override;
};

// The state the forms-persist objects share: reopen counter, update folder, notify flag.
struct PersistState {
  int32_t trf_reopened = 0;
  std::string update_folder;
  bool notify_pending = false;
  static std::shared_ptr<PersistState> MakeDefault() { return std::make_shared<PersistState>(); }
};

class FormsPersist : public kw::TrfFormsPersist {
 public:
  std::string TypeName() const override { return "TrfFormsPersist"; }
  int32_t TrfReopened() override;
  void TrfReopened(int32_t count) override;
  kw::Variant UpdateFolder() override;
  bool NotifyPending() override;
  void NotifyPending(bool pending) override;
};

// The application's database connection in force: a private in-memory one until the program
// opens its file.
struct AppDatabase {
  std::shared_ptr<Database> database = std::make_shared<Database>(":memory:");
  static std::shared_ptr<AppDatabase> MakeDefault() { return std::make_shared<AppDatabase>(); }
};

// The database resource offered to forms: the application's database.
class DatabaseResource : public kw::DBResource {
 public:
  DatabaseResource();
  std::string TypeName() const override { return "DBResource"; }
  std::string Location() override { return database_->Path(); }
  const std::shared_ptr<Database>& Connection() const { return database_; }

 private:
  std::shared_ptr<Database> database_;
};

// Registers the reference siblings with the class registry in force.
void RegisterApplicationClasses();

}  // namespace trf
