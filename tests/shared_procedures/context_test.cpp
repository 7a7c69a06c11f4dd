// SharedProcedures' own state: construction, the context kept by the container, the database resource.
#include "tests/doubles/library_test.h"

#include "ui_shared/contracts/class_ids.h"

namespace kw {
namespace {

using testing::RecordingLocator;

// A locator whose container is no TrfContainer fails construction as a sibling that cannot be made does.
TEST(SharedContext, ConstructionCreatesSiblingsInOrderAndFailsAtTheFailingStep) {
  LibraryHarness h(false);
  auto shared = std::make_shared<SharedProcedures>();
  EXPECT_EQ(h.log->Entries(), (Strings{"Locator.Get Container()"}));
  EXPECT_EQ(shared->scNew, "NEW");
  EXPECT_EQ(shared->pTrfContainer(), h.container);
  EXPECT_EQ(shared->pTrfFormsPersist(), h.persist);
  {
    ScopedRegistration odd(std::string(class_ids::kContainerLocator),
                           [&] { return std::make_shared<RecordingLocator>(h.log, std::make_shared<FormContract>()); });
    EXPECT_THAT([] { (void)std::make_shared<SharedProcedures>(); },
                ThrowsMessage<Error>(StrEq("KW_UIShared.SharedProcedures.Class_Initialize:30\r\nType mismatch")));
  }
  h.registry->Unregister(class_ids::kFormsPersist);
  EXPECT_THAT(
      [] { (void)std::make_shared<SharedProcedures>(); },
      ThrowsMessage<Error>(StrEq("KW_UIShared.SharedProcedures.Class_Initialize:10\r\nComponent can't create object: "
                                 "no class is registered as \"KW_UIPersist.TrfFormsPersist\"")));
}

// The reopen counter lives in the persist object, whose errors pass unchanged.
TEST(SharedContext, ContextPropertiesForwardAndTheDBResourceIsCachedPerObject) {
  LibraryHarness h;
  h.shared->CurrentH_HomesID(" 07 ");
  h.shared->CurrentTRFDate(38051.5);
  h.shared->CurrentStatStatus(1);
  h.shared->SendOffValidationMode(true);
  EXPECT_EQ(h.log->Joined(),
            "Container.Let CurrentH_HomesID(\" 07 \"); Container.Let CurrentTRFDate(38051.5); "
            "Container.Let CurrentStatStatus(1); Container.Let SendOffValidationMode(True)");
  h.container->home_id = "12";
  EXPECT_EQ(h.Create(h.form)->CurrentH_HomesID(), "12");
  h.container->normal_termination = false;
  EXPECT_FALSE(h.shared->NormalScreenTermination());
  h.shared->TrfReopened(3);
  EXPECT_EQ(h.persist->trf_reopened, 3);
  h.persist->FailOn("Get TrfReopened", Error(70, "KW_UIPersist", "Permission denied"));
  EXPECT_THAT([&] { (void)h.shared->TrfReopened(); }, ThrowsMessage<Error>(StrEq("Permission denied")));
  // The database resource is made once per object; a failed creation leaves nothing cached.
  auto first = h.shared->DBResource();
  EXPECT_EQ(h.shared->DBResource(), first);
  auto other = h.Create(h.form);
  h.registry->Unregister(class_ids::kDBResource);
  EXPECT_THAT([&] { (void)other->DBResource(); },
              ThrowsMessage<Error>(StartsWith("KW_UIShared.SharedProcedures.Get DBResource:10\r\n")));
  h.registry->Register(std::string(class_ids::kDBResource),
                       [] { return std::make_shared<testing::RecordingDBResource>(); });
  EXPECT_NE(other->DBResource(), nullptr);
  EXPECT_NE(other->DBResource(), first);
}

}  // namespace
}  // namespace kw
