// Activation of a form: the home and month checks with their messages and form keys, the change
// detection that clears the soft-rule cache and marks the form's data out of date, the home
// screen's reopen counter, and the error trail.
#include <gtest/gtest.h>

#include "tests/doubles/harness.h"
#include "tests/doubles/shared_access.h"

namespace kw {
namespace {

using testing::LibraryHarness;
using Access = SharedProceduresTestAccess;

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

// The home screen never checks the context; with a reopen counter that is never recorded there,
// every activation clears the cache and marks the data dirty, while a month form does so once.
TEST(OnActivate, HomeScreenComparesTheReopenCounterButNeverRecordsIt) {
  LibraryHarness h;
  h.persist->trf_reopened = 1;
  for (int i = 0; i < 3; ++i) {
    SeedCache(h);
    h.log->Clear();
    ActiveParams params;
    EXPECT_TRUE(h.shared->OnActivate(params, icIsHome)) << i;
    EXPECT_TRUE(CacheCleared(h)) << i;
    EXPECT_EQ(h.log->CountOf("Form.DirtyOnActivate()"), 1u) << i;
    EXPECT_EQ(h.log->Matching("Container.Get CurrentH").size(), 0u) << i;
    EXPECT_EQ(h.log->Matching("Dialog.").size(), 0u) << i;
    EXPECT_EQ(h.container->form_title, "Test Form");
  }
  SelectActiveMonth(h);
  h.log->Clear();
  for (int i = 0; i < 3; ++i) {
    ActiveParams params;
    EXPECT_TRUE(h.shared->OnActivate(params, icDependsOnMonth));
  }
  EXPECT_EQ(h.log->CountOf("Form.DirtyOnActivate()"), 1u);
}

// A rising reopen counter makes the home screen's activations clear the cache; a first-time form
// does so with an unchanged counter, and the counter at 0 with FirstTime false does nothing.
TEST(OnActivate, HomeScreenClearsOnFirstTimeOrChangedCounter) {
  LibraryHarness h;
  ActiveParams params;
  SeedCache(h);
  EXPECT_TRUE(h.shared->OnActivate(params, icIsHome));
  EXPECT_FALSE(CacheCleared(h));
  h.form->first_time = true;
  EXPECT_TRUE(h.shared->OnActivate(params, icIsHome));
  EXPECT_TRUE(CacheCleared(h));
  h.form->first_time = false;
  for (int32_t counter = 1; counter <= 2; ++counter) {
    h.persist->trf_reopened = counter;
    SeedCache(h);
    h.log->Clear();
    EXPECT_TRUE(h.shared->OnActivate(params, icIsHome));
    EXPECT_TRUE(CacheCleared(h)) << counter;
    const std::vector<std::string> expected = {
        "Form.Get FirstTime()", "Persist.Get TrfReopened()", "Form.DirtyOnActivate()",
        "Form.EveryOnActivate(\"\")", "Form.Get Title()", "Container.Let FormTitle(\"Test Form\")",
        "Form.Get Icon()", "Container.Set FormIcon(Picture)"};
    EXPECT_EQ(h.log->Entries(), expected);
  }
}

// A missing home stops a month-dependent form after the home message: the month is not tested,
// the Our Home key is written, the pointer is the default during the message and restored after.
TEST(OnActivate, MissingHomeShowsTheHomeMessageAndSendsToOurHome) {
  LibraryHarness h;
  h.container->month_id = "M1";
  h.container->stat_status = 1;
  h.screen->MousePointer(kPointerHourglass);
  ActiveParams params;
  EXPECT_FALSE(h.shared->OnActivate(params, icDependsOnMonth));
  EXPECT_EQ(params.GotoFormKey, "KW_UI01____FRM_H_OurHome");
  EXPECT_EQ(h.dialog->feedback, kHomeMessage);
  EXPECT_EQ(h.dialog->more_feedback, "");
  EXPECT_EQ(h.dialog->rule_type, kRuleHard);
  EXPECT_EQ(h.dialog->rule_number, 2183);
  EXPECT_EQ(h.dialog->pointer_during_show, kPointerDefault);
  EXPECT_EQ(h.screen->MousePointer(), kPointerHourglass);
  EXPECT_EQ(h.log->Matching("Container.Get CurrentH_HomeMonthlyStatsID").size(), 0u);
  EXPECT_EQ(h.log->Matching("Form.EveryOnActivate").size(), 0u);
  EXPECT_EQ(h.log->Matching("Form.DirtyOnActivate").size(), 0u);
  EXPECT_EQ(h.log->Matching("Container.Let FormTitle").size(), 0u);
}

struct MonthRow {
  const char* name;
  std::string month_id;
  uint8_t status;
  enumHomeMonth depends_on;
  bool accepted;
};

// The month check wants a month record with status 1, and only forms that depend on home or month
// run it; the month message is shown whatever bDisplayMessage says.
TEST(OnActivate, MonthCheckAcceptsOnlyAnActiveTrf) {
  const MonthRow rows[] = {
      {"active month", "M1", 1, icDependsOnMonth, true},
      {"status 2", "M1", 2, icDependsOnMonth, false},
      {"no month record", "", 1, icDependsOnHome, false},
      {"month screen needs no active TRF", "M1", 2, icIsMonth, true},
  };
  for (const auto& row : rows) {
    LibraryHarness h;
    h.container->home_id = "H1";
    h.container->month_id = row.month_id;
    h.container->stat_status = row.status;
    ActiveParams params;
    EXPECT_EQ(h.shared->OnActivate(params, row.depends_on), row.accepted) << row.name;
    EXPECT_EQ(params.GotoFormKey, row.accepted ? "" : "KW_UI01____FRM_H_TRFSetup") << row.name;
    EXPECT_EQ(h.dialog->feedback, row.accepted ? "" : kMonthMessage) << row.name;
    EXPECT_EQ(h.dialog->rule_number, row.accepted ? -1 : 2184) << row.name;
  }
  LibraryHarness h;
  h.container->month_id = "M1";
  h.container->stat_status = 2;
  ActiveParams params;
  bool changed = false;
  EXPECT_FALSE(h.shared->IsValidMonth(params, changed, false));
  EXPECT_TRUE(changed);
  EXPECT_EQ(h.dialog->feedback, kMonthMessage);
}

// An unchanged context neither clears the cache nor marks the data dirty, yet EveryOnActivate
// runs and the title and icon are handed over; a change of the TRF type alone marks it dirty.
TEST(OnActivate, OnlyAChangedContextClearsTheCacheAndMarksTheFormDirty) {
  LibraryHarness h;
  SelectActiveMonth(h);
  ActiveParams params;
  EXPECT_TRUE(h.shared->OnActivate(params, icDependsOnHome));
  SeedCache(h);
  h.log->Clear();
  EXPECT_TRUE(h.shared->OnActivate(params, icDependsOnHome));
  EXPECT_FALSE(CacheCleared(h));
  EXPECT_EQ(h.log->CountOf("Form.DirtyOnActivate()"), 0u);
  EXPECT_EQ(h.log->CountOf("Form.EveryOnActivate(\"\")"), 1u);
  EXPECT_EQ(h.log->CountOf("Container.Let FormTitle(\"Test Form\")"), 1u);
  EXPECT_EQ(h.log->CountOf("Container.Set FormIcon(Picture)"), 1u);

  h.container->trf_type_code = "B";
  h.log->Clear();
  EXPECT_TRUE(h.shared->OnActivate(params, icDependsOnMonth));
  EXPECT_TRUE(CacheCleared(h));
  EXPECT_EQ(h.log->CountOf("Form.DirtyOnActivate()"), 1u);
}

// EveryOnActivate false ends the activation after DirtyOnActivate, before the title and icon.
TEST(OnActivate, EveryOnActivateFalseStopsBeforeTitleAndIcon) {
  LibraryHarness h;
  SelectActiveMonth(h);
  h.form->every_on_activate = false;
  ActiveParams params;
  EXPECT_FALSE(h.shared->OnActivate(params, icDependsOnMonth));
  EXPECT_LT(h.log->IndexOf("Form.DirtyOnActivate()"), h.log->IndexOf("Form.EveryOnActivate(\"\")"));
  EXPECT_EQ(h.log->Matching("Container.Let FormTitle").size(), 0u);
  EXPECT_EQ(h.log->Matching("Container.Set FormIcon").size(), 0u);
}

// A DependsOn outside 0 to 3 runs neither check; only the reopen counter can mark the data dirty.
TEST(OnActivate, UnknownDependencyRunsNoCheck) {
  LibraryHarness h;
  ActiveParams params;
  EXPECT_TRUE(h.shared->OnActivate(params, static_cast<enumHomeMonth>(7)));
  EXPECT_EQ(h.log->Matching("Container.Get CurrentH").size(), 0u);
  EXPECT_EQ(h.log->CountOf("Form.DirtyOnActivate()"), 0u);
  h.persist->trf_reopened = 4;
  EXPECT_TRUE(h.shared->OnActivate(params, static_cast<enumHomeMonth>(-1)));
  EXPECT_EQ(h.log->CountOf("Form.DirtyOnActivate()"), 1u);
}

// A failed check still records what it saw: the next activation with the home now selected finds
// the home changed and marks the data dirty.
TEST(OnActivate, FailedCheckKeepsItsSnapshot) {
  LibraryHarness h;
  h.container->trf_type_code = "A";
  ActiveParams params;
  EXPECT_FALSE(h.shared->OnActivate(params, icIsMonth));
  h.log->Clear();
  h.container->home_id = "H1";
  bool changed = false;
  EXPECT_TRUE(h.shared->IsValidHome(params, changed));
  EXPECT_TRUE(changed);
  changed = false;
  EXPECT_TRUE(h.shared->IsValidHome(params, changed));
  EXPECT_FALSE(changed);
}

// Errors of the form and of the dialog leave with the trail of every member they passed; an error
// while the message is up leaves the default pointer.
TEST(OnActivate, ErrorsLeaveThroughTheTrail) {
  LibraryHarness h;
  SelectActiveMonth(h);
  h.form->FailOn("EveryOnActivate", Error(err::kInvalidCall, "Form", "broken form"));
  ActiveParams params;
  try {
    (void)h.shared->OnActivate(params, icDependsOnMonth);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Description(), "KW_UIShared.SharedProcedures.OnActivate:120\r\nbroken form");
  }

  LibraryHarness g;
  g.screen->MousePointer(kPointerHourglass);
  g.dialog->FailOn("Prepare", Error(err::kInvalidCall, "ZB_MsgBox", "no display"));
  try {
    (void)g.shared->OnActivate(params, icDependsOnHome);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Description(),
              "KW_UIShared.SharedProcedures.OnActivate:60\r\n"
              "KW_UIShared.SharedProcedures.IsValidHome:40\r\n"
              "KW_UIShared.SharedProcedures.ShowFeedbackForm:130\r\nno display");
  }
  EXPECT_EQ(g.screen->MousePointer(), kPointerDefault);
}

}  // namespace
}  // namespace kw
