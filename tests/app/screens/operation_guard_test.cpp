// One operation as a scope: whatever refuses it is read as a sentence and journalled, the screens
// are put back in step, and the busy flag is free again however the operation ended.
#include "app/screens/operation_guard.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/app/app_world.h"

namespace trf::testing {
namespace {

// A failure nobody foresaw (a standard exception, not a refusal) is refused in its words with the
// runtime's number, recorded in the error journal after the screens were put back in step, and
// leaves the flag free: the next operation runs.
TEST(OperationGuardTest, AnUnforeseenFailureIsRefusedAndTheNextOperationRuns) {
  const AppWorld world(AppWorld::Screens::kNone);
  const size_t journalled = world.services.journal().errors.size();
  bool running = false;
  int recovered = 0;
  std::optional<ScreenRefusal> refusal;
  {
    const OperationGuard guard(running);
    refusal = guard.Run([] { throw std::out_of_range("there is no row 9"); }, [&] { ++recovered; });
  }
  ASSERT_TRUE(refusal.has_value());
  EXPECT_STREQ(refusal->what(), "there is no row 9");
  EXPECT_EQ(refusal->Number(), kw::err::kSubscript);
  EXPECT_EQ(recovered, 1);
  EXPECT_EQ(world.services.journal().errors.size(), journalled + 1);
  const OperationGuard next(running);
  EXPECT_TRUE(next.Took()) << "the failed operation kept the flag";
}

// While an operation runs, one started meanwhile is not run, and leaves the flag to the first.
TEST(OperationGuardTest, AnOperationStartedWhileOneRunsIsNotRun) {
  bool running = false;
  const OperationGuard first(running);
  bool ran = false;
  {
    const OperationGuard second(running);
    EXPECT_FALSE(second.Took());
    EXPECT_FALSE(second.Run([&] { ran = true; }).has_value());
  }
  EXPECT_FALSE(ran);
  EXPECT_TRUE(running) << "the second guard freed the first one's flag";
}

}  // namespace
}  // namespace trf::testing
