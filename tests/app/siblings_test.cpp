// The reference siblings: SharedProcedures objects made through the registry share the one
// container and the persist state, and reach the application's database.
#include "app/siblings/siblings.h"

#include <gtest/gtest.h>

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/registration.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace trf {
namespace {

// A fresh application world: registry, container, persist state and database.
struct AppWorld {
  kw::ScopedService<kw::ClassRegistry> registry{std::make_shared<kw::ClassRegistry>()};
  kw::ScopedService<ScreenContainer> container{std::make_shared<ScreenContainer>()};
  kw::ScopedService<PersistState> persist{std::make_shared<PersistState>()};
  kw::ScopedService<AppDatabase> database{std::make_shared<AppDatabase>()};
  AppWorld() {
    kw::RegisterLibraryClasses();
    RegisterApplicationClasses();
  }
};

// Two forms' objects work on one context and one reopen counter.
TEST(ReferenceSiblings, ObjectsShareTheContainerAndPersistState) {
  AppWorld world;
  auto a = kw::CreateObjectAs<kw::SharedProcedures>(kw::class_ids::kSharedProcedures);
  auto b = kw::CreateObjectAs<kw::SharedProcedures>(kw::class_ids::kSharedProcedures);
  a->CurrentH_HomesID("3");
  a->CurrentStatStatus(1);
  a->TrfReopened(2);
  EXPECT_EQ(b->CurrentH_HomesID(), "3");
  EXPECT_EQ(b->CurrentStatStatus(), 1);
  EXPECT_EQ(b->TrfReopened(), 2);
  EXPECT_NE(a->pTrfFormsPersist(), b->pTrfFormsPersist());
  EXPECT_EQ(a->pTrfContainer(), b->pTrfContainer());
  EXPECT_EQ(world.container->CurrentH_HomesID(), "3");
}

// The database resource is the application's database; bad SQL is a clear error, not a crash.
TEST(ReferenceSiblings, DatabaseResourceReachesTheApplicationsDatabase) {
  AppWorld world;
  auto shared = kw::CreateObjectAs<kw::SharedProcedures>(kw::class_ids::kSharedProcedures);
  auto resource = std::dynamic_pointer_cast<DatabaseResource>(shared->DBResource());
  ASSERT_NE(resource, nullptr);
  EXPECT_EQ(resource->Location(), ":memory:");
  EXPECT_EQ(resource->Connection(), world.database->database);
  resource->Connection()->Exec("CREATE TABLE t (x INTEGER)");
  resource->Connection()->Exec("INSERT INTO t VALUES (41)");
  auto stmt = resource->Connection()->Prepare("SELECT x + 1, 'a', NULL, 2.5 FROM t");
  ASSERT_TRUE(stmt->Step());
  EXPECT_EQ(stmt->Column(0).ToLong(), 42);
  EXPECT_EQ(stmt->Column(1).GetText(), "a");
  EXPECT_TRUE(stmt->Column(2).IsNull());
  EXPECT_EQ(stmt->Column(3).ToDouble(), 2.5);
  EXPECT_FALSE(stmt->Step());
  try {
    world.database->database->Exec("SELEKT 1");
    FAIL();
  } catch (const kw::Error& e) {
    EXPECT_EQ(e.Number(), kDatabaseError);
    EXPECT_NE(e.Description().find("syntax error"), std::string::npos);
  }
}

}  // namespace
}  // namespace trf
