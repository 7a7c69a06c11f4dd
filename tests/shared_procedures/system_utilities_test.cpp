// System utilities: date display, 16-bit words, full years, the folder chooser and program start.
#include "tests/doubles/library_test.h"

#include <unistd.h>
#include <cstdlib>
#include <filesystem>

#include "tests/doubles/scoped_env.h"
#include "ui_shared/platform/dates.h"
#include "ui_shared/platform/folder_chooser.h"

namespace kw {
namespace {

using testing::ScopedEnv;

// Dates under English settings come out as "mmm dd, yyyy"; anything else as the empty text.
TEST(FormatDate, EnglishFormAndEmptyForNonDates) {
  LibraryHarness h;
  ScopedEnv lc("LC_ALL", "C");
  EXPECT_EQ(h.shared->FormatDate("2004-03-05"), "Mar 05, 2004");
  EXPECT_EQ(h.shared->FormatDate("12/30/91"), "Dec 30, 1991");
  EXPECT_EQ(h.shared->FormatDate("5 Mar 2004 10:30 PM"), "Mar 05, 2004");
  EXPECT_EQ(h.shared->FormatDate("not a date"), "");
  EXPECT_EQ(h.shared->FormatDate(""), "");
  EXPECT_EQ(h.shared->FormatDate("31/02/2004"), "");
}

// The month abbreviation comes from the user's time locale (a Dutch locale built for the test).
TEST(FormatDate, MonthNamesFollowTheUsersLocale) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("trf_locale_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::string build = "localedef -i nl_NL -f UTF-8 " + (dir / "nl_NL.UTF-8").string() + " >/dev/null 2>&1";
  if (std::system(build.c_str()) != 0) {
    std::filesystem::remove_all(dir);
    GTEST_SKIP() << "localedef or the nl_NL locale source is not available";
  }
  // The C library keeps what it read for a locale from LOCPATH for the rest of the process, so
  // the check runs in a child that ends without the exit handlers.
  GTEST_FLAG_SET(death_test_style, "fast");
  EXPECT_EXIT(
      {
        LibraryHarness h;
        ScopedEnv path("LOCPATH", dir.string());
        ScopedEnv lc("LC_ALL", "nl_NL.UTF-8");
        const bool dutch =
            h.shared->FormatDate("2004-05-01") == "mei 01, 2004" && h.shared->FormatDate("3/5/2004") == "mrt 05, 2004";
        _exit(dutch ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  std::filesystem::remove_all(dir);
}

struct WordRow {
  const char* name;
  Variant value;
  int32_t low, high;
};

// Low and high words, with the truncating division for negative values and rounding of fractions;
// values that cannot become 32-bit numbers raise the conversion errors with the member's trail.
TEST(Words, LowAndHighWordsAndConversionFailures) {
  LibraryHarness h;
  const WordRow rows[] = {
      {"0x12345678", Variant::Long(0x12345678), 0x5678, 0x1234},
      {"-1", Variant::Long(-1), 65535, 0},
      {"-65536", Variant::Long(-65536), 0, 65535},
      {"-65537", Variant::Long(-65537), 65535, 65535},
      {"max", Variant::Long(INT32_MAX), 65535, 32767},
      {"min", Variant::Long(INT32_MIN), 0, 32768},
      {"text", Variant::Text(" 65537 "), 1, 1},
      {"half to even", Variant::Double(65536.5), 0, 1},
      {"empty", Variant(), 0, 0},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(h.shared->GetLoWord(row.value), row.low) << row.name;
    EXPECT_EQ(h.shared->GetHiWord(row.value), row.high) << row.name;
  }
  const std::pair<Variant, int32_t> failures[] = {
      {Variant::Double(2147483648.0), err::kOverflow},
      {Variant::Text("12abc"), err::kTypeMismatch},
      {Variant::Null(), err::kInvalidNull},
  };
  for (const auto& [value, number] : failures)
    EXPECT_TRUE(RaisedAt(Raised([&, &value = value] { (void)h.shared->GetHiWord(value); }), number, "GetHiWord", 10));
}

struct YearsRow {
  const char* name;
  double start, end;
  int32_t years;
};

// Whole years count a year complete on its anniversary day; unset starts and earlier ends give 0.
TEST(ComputeFullYears, AnniversaryRules) {
  LibraryHarness h;
  using dates::Serial;
  const YearsRow rows[] = {
      {"on the anniversary", Serial(2000, 3, 15), Serial(2005, 3, 15), 5},
      {"a day before", Serial(2000, 3, 15), Serial(2005, 3, 14), 4},
      {"leap day, day before", Serial(2000, 2, 29), Serial(2001, 2, 28), 0},
      {"leap day, March 1", Serial(2000, 2, 29), Serial(2001, 3, 1), 1},
      {"same year forward", Serial(2004, 1, 1), Serial(2004, 12, 31), 0},
      {"same year backward", Serial(2004, 12, 31), Serial(2004, 1, 1), 0},
      {"earlier year", Serial(2005, 1, 1), Serial(2001, 1, 1), 0},
      {"unset start", 0.0, Serial(2050, 1, 1), 0},
      {"times ignored", Serial(2000, 3, 15, 23, 0, 0), Serial(2001, 3, 15, 1, 0, 0), 1},
      {"before 1899", Serial(1850, 6, 1), Serial(1900, 6, 1), 50},
  };
  for (const auto& row : rows) EXPECT_EQ(h.shared->ComputeFullYears(row.start, row.end), row.years) << row.name;
}

// A folder chooser that answers what the test says and records what it was asked.
struct AnsweringChooser : FolderChooser {
  explicit AnsweringChooser(std::string chosen) : answer(std::move(chosen)) {}
  std::optional<std::string> Choose(Hwnd owner, const std::string& prompt, bool file_system_only) override {
    asked = std::to_string(owner) + " " + prompt + " " + (file_system_only ? "file system only" : "anything");
    return answer;
  }
  std::string asked, answer;
};

// The headless chooser cancels, which gives the empty text; a chosen folder comes back cut at its
// first zero character, and owner, prompt and the file-system-only flag reach the chooser.
TEST(BrowseForFolder, ChosenFolderIsCutAtTheFirstZero) {
  LibraryHarness h;
  {
    ScopedService<FolderChooser> cancelling(std::make_shared<FolderChooser>());
    EXPECT_EQ(h.shared->BrowseForFolder(0x1234, "Pick"), "");
  }
  auto answering = std::make_shared<AnsweringChooser>(std::string("/srv/updates\0junk", 17));
  ScopedService<FolderChooser> chooser(answering);
  EXPECT_EQ(h.shared->BrowseForFolder(0x1234, "Where?"), "/srv/updates");
  EXPECT_EQ(answering->asked, "4660 Where? file system only");
}

// An event pump that fails on its second run, as an event handler may.
struct FailingPump : EventPump {
  void DoEvents() override {
    EventPump::DoEvents();
    if (++runs == 2) Raise(err::kInvalidCall, "Form", "event handler failed");
  }
  int runs = 0;
};

// ShellEx hands back the exit code, waiting or pumping events; a start failure raises at its step
// (10 to start, 20 for a program that could not run); an event handler's error leaves it.
TEST(ShellEx, ExitCodesStartFailuresAndEventErrors) {
  LibraryHarness h;
  EXPECT_EQ(h.shared->ShellEx(R"(sh -c "exit 3")", true), 3);
  EXPECT_EQ(h.shared->ShellEx(R"(sh -c "exit 300")"), 44);
  EXPECT_TRUE(RaisedAt(Raised([&] { (void)h.shared->ShellEx("no-such-program-trf-test", true); }), 2, "ShellEx", 10));
  EXPECT_TRUE(RaisedAt(Raised([&] { (void)h.shared->ShellEx(R"(sh -c "exit 127")", true); }), 2, "ShellEx", 20));
  auto pump = std::make_shared<FailingPump>();
  ScopedService<EventPump> pump_service(pump);
  EXPECT_EQ(Described(Raised([&] { (void)h.shared->ShellEx("sleep 0.2"); })),
            "5 Form: KW_UIShared.SharedProcedures.ShellEx:30\r\nevent handler failed");
}

}  // namespace
}  // namespace kw
