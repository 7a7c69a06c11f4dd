// Activation of a form: the home and month checks, the change detection and the reopen counter.
#include "tests/doubles/library_test.h"

namespace kw {
namespace {

constexpr char kHomeMessage[] =
    "You need to add or select a valid home from the Our Home screen. The program will take you there now.";
constexpr char kMonthMessage[] =
    "There is no active TRF for this month. The program will now take you to the TRF Monthly Setup screen.";

// A container with a home and a month whose TRF is active.
void SelectActiveMonth(LibraryHarness& h) {
  h.container->home_id = "H1";
  h.container->trf_type_code = "A";
  h.container->month_id = "M1";
  h.container->stat_status = 1;
}

// Puts an entry into the record cache, so that a test can see whether activation cleared it.
void SeedCache(LibraryHarness& h) { Access::RecordCache(*h.shared).Add("A1#7", "12"); }
bool CacheCleared(LibraryHarness& h) { return Access::RecordCache(*h.shared).Count() == 0; }

// Only other forms record the reopen counter, so the home screen keeps finding it changed.
TEST(OnActivate, HomeScreenComparesTheReopenCounterButNeverRecordsIt) {
  LibraryHarness h;
  ActiveParams params;
  SeedCache(h);
  EXPECT_TRUE(h.shared->OnActivate(params, icIsHome));
  EXPECT_FALSE(CacheCleared(h));
  h.form->first_time = true;
  EXPECT_TRUE(h.shared->OnActivate(params, icIsHome));
  EXPECT_TRUE(CacheCleared(h));
  h.form->first_time = false;
  h.persist->trf_reopened = 1;
  for (int i = 0; i < 2; ++i) {
    SeedCache(h);
    h.log->Clear();
    EXPECT_TRUE(h.shared->OnActivate(params, icIsHome)) << i;
    EXPECT_TRUE(CacheCleared(h)) << i;
    EXPECT_EQ(h.log->Joined(),
              "Form.Get FirstTime(); Persist.Get TrfReopened(); Form.DirtyOnActivate(); "
              "Form.EveryOnActivate(\"\"); Form.Get Title(); Container.Let FormTitle(\"Test Form\"); "
              "Form.Get Icon(); Container.Set FormIcon(Picture)")
        << i;
  }
  SelectActiveMonth(h);
  h.log->Clear();
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(h.shared->OnActivate(params, icDependsOnMonth));
  EXPECT_EQ(h.log->CountOf("Form.DirtyOnActivate()"), 1u);
}

// An active month is a month record with status 1; forms that depend on the home check the month too.
TEST(OnActivate, HomeThenMonthChecksSendToTheirScreens) {
  struct Row {
    const char* name;
    std::string home_id, month_id;
    uint8_t status;
    enumHomeMonth depends_on;
    const char *key, *message;
    int32_t number;
  };
  const Row rows[] = {
      {"no home", "", "M1", 1, icDependsOnMonth, "KW_UI01____FRM_H_OurHome", kHomeMessage, 2183},
      {"active month", "H1", "M1", 1, icDependsOnMonth, "", "", -1},
      {"status 2", "H1", "M1", 2, icDependsOnMonth, "KW_UI01____FRM_H_TRFSetup", kMonthMessage, 2184},
      {"no month record", "H1", "", 1, icDependsOnHome, "KW_UI01____FRM_H_TRFSetup", kMonthMessage, 2184},
      {"month screen needs no active TRF", "H1", "M1", 2, icIsMonth, "", "", -1},
  };
  for (const auto& row : rows) {
    LibraryHarness h;
    h.container->home_id = row.home_id;
    h.container->month_id = row.month_id;
    h.container->stat_status = row.status;
    h.screen->MousePointer(kPointerHourglass);
    ActiveParams params;
    EXPECT_EQ(h.shared->OnActivate(params, row.depends_on), row.number == -1) << row.name;
    EXPECT_EQ(params.GotoFormKey, row.key) << row.name << ": the screen it sends to";
    EXPECT_EQ(h.screen->MousePointer(), kPointerHourglass) << row.name << ": the pointer is put back";
    if (row.number == -1) {
      EXPECT_EQ(h.dialog->rule_number, -1) << row.name << ": no message is shown";
      continue;
    }
    EXPECT_EQ(h.dialog->feedback, row.message) << row.name;
    EXPECT_EQ(h.dialog->more_feedback, "") << row.name;
    EXPECT_EQ(h.dialog->rule_type, 1) << row.name << ": shown as a hard rule";
    EXPECT_EQ(h.dialog->rule_number, row.number) << row.name;
    EXPECT_EQ(h.dialog->pointer_during_show, kPointerDefault) << row.name;
    EXPECT_EQ(h.log->Joined({"Container.Get CurrentH_HomeMonthlyStatsID", "Form.EveryOnActivate",
                             "Form.DirtyOnActivate", "Container.Let FormTitle"}),
              row.number == 2183 ? "" : "Container.Get CurrentH_HomeMonthlyStatsID()")
        << row.name;
  }
  // The month message is shown whatever bDisplayMessage says.
  LibraryHarness h;
  h.container->month_id = "M1";
  h.container->stat_status = 2;
  ActiveParams params;
  bool changed = false;
  EXPECT_FALSE(h.shared->IsValidMonth(params, changed, false));
  EXPECT_TRUE(changed);
  EXPECT_EQ(h.dialog->feedback, kMonthMessage);
  h.container->stat_status = 1;  // the same month with another status is a change too
  changed = false;
  EXPECT_TRUE(h.shared->IsValidMonth(params, changed, false));
  EXPECT_TRUE(changed);
}

// A change of the TRF type alone counts as a change of context.
TEST(OnActivate, OnlyAChangedContextClearsTheCacheAndMarksTheFormDirty) {
  LibraryHarness h;
  SelectActiveMonth(h);
  ActiveParams params;
  EXPECT_TRUE(h.shared->OnActivate(params, icDependsOnHome));
  SeedCache(h);
  h.log->Clear();
  EXPECT_TRUE(h.shared->OnActivate(params, icDependsOnHome));
  EXPECT_FALSE(CacheCleared(h));
  EXPECT_EQ(h.log->Joined({"Form.DirtyOnActivate", "Form.EveryOnActivate", "Container.Let FormTitle", "Container.Set"}),
            "Form.EveryOnActivate(\"\"); Container.Let FormTitle(\"Test Form\"); Container.Set FormIcon(Picture)");
  h.container->trf_type_code = "B";
  h.log->Clear();
  EXPECT_TRUE(h.shared->OnActivate(params, icDependsOnMonth));
  EXPECT_TRUE(CacheCleared(h));
  EXPECT_EQ(h.log->CountOf("Form.DirtyOnActivate()"), 1u);
}

// A DependsOn outside 0 to 3 runs neither check, so only the reopen counter can mark the data dirty.
TEST(OnActivate, EveryOnActivateFalseStopsEarlyAndUnknownDependencyRunsNoCheck) {
  ActiveParams params;
  LibraryHarness e;
  SelectActiveMonth(e);
  e.form->every_on_activate = false;
  EXPECT_FALSE(e.shared->OnActivate(params, icDependsOnMonth));
  EXPECT_EQ(e.log->Joined({"Form.DirtyOnActivate", "Form.EveryOnActivate", "Container.Let FormTitle", "Container.Set"}),
            "Form.DirtyOnActivate(); Form.EveryOnActivate(\"\")");

  LibraryHarness g;
  EXPECT_TRUE(g.shared->OnActivate(params, static_cast<enumHomeMonth>(7)));
  EXPECT_EQ(g.log->MatchingAny({"Container.Get CurrentH", "Form.DirtyOnActivate()"}), Strings{});
  g.persist->trf_reopened = 4;
  EXPECT_TRUE(g.shared->OnActivate(params, static_cast<enumHomeMonth>(-1)));
  EXPECT_EQ(g.log->CountOf("Form.DirtyOnActivate()"), 1u);
}

// An error while the message is up leaves the default pointer.
TEST(OnActivate, ErrorsLeaveThroughTheTrail) {
  LibraryHarness h;
  SelectActiveMonth(h);
  h.form->FailOn("EveryOnActivate", Error(err::kInvalidCall, "Form", "broken form"));
  ActiveParams params;
  EXPECT_THAT([&] { (void)h.shared->OnActivate(params, icDependsOnMonth); },
              ThrowsMessage<Error>(StrEq("KW_UIShared.SharedProcedures.OnActivate:80\r\nbroken form")));

  LibraryHarness g;
  g.screen->MousePointer(kPointerHourglass);
  g.dialog->FailOn("Prepare", Error(err::kInvalidCall, "ZB_MsgBox", "no display"));
  EXPECT_THAT([&] { (void)g.shared->OnActivate(params, icDependsOnHome); },
              ThrowsMessage<Error>(StrEq("KW_UIShared.SharedProcedures.OnActivate:30\r\n"
                                         "KW_UIShared.SharedProcedures.IsValidHome:40\r\n"
                                         "KW_UIShared.SharedProcedures.ShowFeedbackForm:130\r\nno display")));
  EXPECT_EQ(g.screen->MousePointer(), kPointerDefault);
}

// A failed check still records the context it saw, so the next check finds the home changed.
TEST(OnActivate, FailedCheckKeepsItsSnapshot) {
  LibraryHarness f;
  f.container->trf_type_code = "A";
  ActiveParams fresh;
  EXPECT_FALSE(f.shared->OnActivate(fresh, icIsMonth));
  f.container->home_id = "H1";
  bool first = false, second = false;
  EXPECT_TRUE(f.shared->IsValidHome(fresh, first)) << "a home is chosen now";
  EXPECT_TRUE(first) << "the check after the failed one sees a change: the failure kept the earlier snapshot";
  EXPECT_TRUE(f.shared->IsValidHome(fresh, second));
  EXPECT_FALSE(second) << "the next check sees none";
}

}  // namespace
}  // namespace kw
