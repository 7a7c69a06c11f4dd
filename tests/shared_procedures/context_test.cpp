// SharedProcedures' own state: construction in order and its failures, the owner binding, the
// context forwarded to the container, the reopen counter, the cached database resource, and
// release of everything when the object goes.
#include <gtest/gtest.h>

#include "tests/doubles/harness.h"
#include "ui_shared/contracts/class_ids.h"

namespace kw {
namespace {

using testing::LibraryHarness;
using testing::RecordingContainer;
using testing::RecordingLocator;

// Construction creates the persist object, then the locator, and reads its container.
TEST(SharedContext, ConstructionCreatesSiblingsInOrder) {
  LibraryHarness h(false);
  auto shared = std::make_shared<SharedProcedures>();
  EXPECT_EQ(h.log->Entries(), (std::vector<std::string>{"Locator.Get Container()"}));
  EXPECT_EQ(shared->scNew, "NEW");
  EXPECT_EQ(shared->OwnerForm(), nullptr);
  EXPECT_EQ(shared->pTrfContainer(), h.container);
  EXPECT_EQ(shared->pTrfFormsPersist(), h.persist);
}

// A locator whose container is no TrfContainer makes construction fail with the trail.
TEST(SharedContext, ConstructionFailsWhenTheContainerIsNoTrfContainer) {
  LibraryHarness h(false);
  ScopedRegistration odd(std::string(class_ids::kContainerLocator),
                         [&] { return std::make_shared<RecordingLocator>(h.log, std::make_shared<FormContract>()); });
  try {
    (void)std::make_shared<SharedProcedures>();
    FAIL() << "constructed";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), err::kTypeMismatch);
    EXPECT_EQ(e.Description(), "KW_UIShared.SharedProcedures.Class_Initialize:30\r\nType mismatch");
  }
}

// A sibling that cannot be created fails construction at its step.
TEST(SharedContext, ConstructionFailsWhenASiblingCannotBeCreated) {
  LibraryHarness h(false);
  h.registry->Unregister(class_ids::kFormsPersist);
  try {
    (void)std::make_shared<SharedProcedures>();
    FAIL() << "constructed";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), err::kCannotCreate);
    EXPECT_EQ(e.Description(), "KW_UIShared.SharedProcedures.Class_Initialize:10\r\nComponent can't create object");
  }
}

// Context properties hand values to the container unchanged and read back what it holds.
TEST(SharedContext, ContextPropertiesForwardToTheContainer) {
  LibraryHarness h;
  h.shared->CurrentH_HomesID(" 07 ");
  EXPECT_EQ(h.container->home_id, " 07 ");
  h.container->home_id = "12";
  EXPECT_EQ(h.shared->CurrentH_HomesID(), "12");
  h.shared->CurrentHomeNum("H-3");
  h.shared->CurrentH_HomeMonthlyStatsID("55");
  h.shared->CurrentTRFDate(38051.5);
  h.shared->CurrentTrfType("2");
  h.shared->CurrentHU_TrfTypesCD("ICF");
  h.shared->CurrentStatStatus(1);
  h.shared->SendOffValidationMode(true);
  EXPECT_EQ(h.log->Entries(),
            (std::vector<std::string>{
                "Container.Let CurrentH_HomesID(\" 07 \")", "Container.Get CurrentH_HomesID()",
                "Container.Let CurrentHomeNum(\"H-3\")", "Container.Let CurrentH_HomeMonthlyStatsID(\"55\")",
                "Container.Let CurrentTRFDate(38051.5)", "Container.Let CurrentTrfType(\"2\")",
                "Container.Let CurrentHU_TrfTypesCD(\"ICF\")", "Container.Let CurrentStatStatus(1)",
                "Container.Let SendOffValidationMode(True)"}));
  EXPECT_EQ(h.shared->CurrentHomeNum(), "H-3");
  EXPECT_EQ(h.shared->CurrentH_HomeMonthlyStatsID(), "55");
  EXPECT_EQ(h.shared->CurrentTRFDate(), 38051.5);
  EXPECT_EQ(h.shared->CurrentTrfType(), "2");
  EXPECT_EQ(h.shared->CurrentHU_TrfTypesCD(), "ICF");
  EXPECT_EQ(h.shared->CurrentStatStatus(), 1);
  EXPECT_TRUE(h.shared->SendOffValidationMode());
  h.container->normal_termination = false;
  EXPECT_FALSE(h.shared->NormalScreenTermination());
}

// Two objects over one container see each other's writes.
TEST(SharedContext, TwoObjectsShareTheContainersContext) {
  LibraryHarness h;
  auto other = h.Create(h.form);
  h.shared->CurrentH_HomesID("9");
  EXPECT_EQ(other->CurrentH_HomesID(), "9");
}

// The reopen counter goes to the persist object and back from it; errors pass unchanged.
TEST(SharedContext, TrfReopenedForwardsToThePersistObject) {
  LibraryHarness h;
  h.shared->TrfReopened(3);
  EXPECT_EQ(h.persist->trf_reopened, 3);
  h.persist->trf_reopened = 8;
  EXPECT_EQ(h.shared->TrfReopened(), 8);
  h.persist->FailOn("Get TrfReopened", Error(70, "KW_UIPersist", "Permission denied"));
  try {
    (void)h.shared->TrfReopened();
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.Description(), "Permission denied");
  }
}

// The owner binding keeps the last form set; nothing unbinds.
TEST(SharedContext, OwnerFormKeepsTheLastBinding) {
  LibraryHarness h;
  auto second = std::make_shared<testing::RecordingForm>(h.log);
  h.shared->OwnerForm(second);
  EXPECT_EQ(h.shared->OwnerForm(), second);
  h.shared->OwnerForm(nullptr);
  EXPECT_EQ(h.shared->OwnerForm(), nullptr);
  h.shared->FocusedWindow(17);
  h.shared->FocusedWindow(-5);
  h.shared->HelpContextID(1234);
  EXPECT_TRUE(h.log->Entries().empty());
}

// The database resource is made once per object; a failed creation leaves nothing cached.
TEST(SharedContext, DBResourceIsCachedPerObject) {
  LibraryHarness h;
  auto first = h.shared->DBResource();
  EXPECT_EQ(h.shared->DBResource(), first);
  auto other = h.Create(h.form);
  EXPECT_NE(other->DBResource(), first);

  auto third = h.Create(h.form);
  h.registry->Unregister(class_ids::kDBResource);
  try {
    (void)third->DBResource();
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), err::kCannotCreate);
    EXPECT_EQ(e.Description().rfind("KW_UIShared.SharedProcedures.Get DBResource:10\r\n", 0), 0u);
  }
  h.registry->Register(std::string(class_ids::kDBResource), [] { return std::make_shared<testing::RecordingDBResource>(); });
  EXPECT_NE(third->DBResource(), nullptr);
}

// When the form unbinds and lets go, the object and everything it holds are released.
TEST(SharedContext, ReleasesEverythingWhenTheFormLetsGo) {
  LibraryHarness h(false);
  std::weak_ptr<SharedProcedures> weak;
  std::weak_ptr<testing::RecordingForm> weak_form;
  {
    auto form = std::make_shared<testing::RecordingForm>(h.log);
    auto shared = std::make_shared<SharedProcedures>();
    shared->OwnerForm(form);
    (void)shared->DBResource();
    weak = shared;
    weak_form = form;
    shared->OwnerForm(nullptr);
  }
  EXPECT_TRUE(weak.expired());
  EXPECT_TRUE(weak_form.expired());
  EXPECT_EQ(h.container.use_count(), 1);
}

}  // namespace
}  // namespace kw
