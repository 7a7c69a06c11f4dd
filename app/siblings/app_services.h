// AppServices: the application's wiring, built before the screens and destroyed after them. It owns
// the database and the library's default siblings (the container, the forms-persist state, the
// feedback desk and the error journal), and puts a class registry of its own in force with the
// library's classes, those siblings and the application's data siblings registered on those
// objects. Every front end and every test world starts from one.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/data/database.h"
#include "app/siblings/feedback_dialog.h"
#include "app/siblings/screen_container.h"
#include "ui_shared/defaults/default_siblings.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/service.h"

namespace trf {

class AppServices {
 public:
  // Opens the TRF database at `db_path` (a file, ":memory:" for a private one, or a server's
  // connection text; created with its sample data when it holds no TRF schema yet; see
  // OpenTrfDatabase) and wires the application on it.
  explicit AppServices(const std::string& db_path, Access access = Access::kReadWrite);
  // Wires the application on a database that is open already. What opening it found or put right
  // (Database::TakeNotices) goes into the error journal and is kept for the front end to say once.
  explicit AppServices(std::shared_ptr<Database> database);
  AppServices(const AppServices&) = delete;
  AppServices& operator=(const AppServices&) = delete;

  const std::shared_ptr<Database>& database() const { return database_; }
  const std::shared_ptr<ScreenContainer>& container() const { return siblings_.container; }
  kw::PersistState& persist() const { return *siblings_.persist; }
  FeedbackDesk& desk() const { return *siblings_.desk; }
  kw::ErrorJournal& journal() const { return *siblings_.journal; }
  // The sentences opening the database left for the person (a trigger put back), each said once by
  // the front end as it starts.
  const std::vector<std::string>& notices() const { return notices_; }
  kw::ClassRegistry& registry() const { return *registry_; }

 private:
  std::shared_ptr<Database> database_;
  // The desk answers from the queue, or through the presenter a front end sets.
  kw::DefaultSiblings siblings_;
  std::shared_ptr<kw::ClassRegistry> registry_ = std::make_shared<kw::ClassRegistry>();
  std::vector<std::string> notices_;
  kw::ScopedService<kw::ClassRegistry> registry_in_force_{registry_};
};

}  // namespace trf
