// System utilities: date display, 16-bit words, full years, the folder chooser and program start.
#include "tests/doubles/library_test.h"

#include <unistd.h>
#include <cstdlib>
#include <filesystem>

#include "tests/doubles/scoped_env.h"
#include "ui_shared/platform/dates.h"
#include "ui_shared/platform/folder_chooser.h"
#include "ui_shared/platform/process.h"

namespace kw {
namespace {

TEST(FormatDate, EnglishFormAndEmptyForNonDates) {
  LibraryHarness h;
  testing::ScopedEnv lc("LC_ALL", "C");
  std::string shown;
  for (const char* text : {"2004-03-05", "12/30/91", "5 Mar 2004 10:30 PM", "not a date", "", "31/02/2004"})
    shown += h.shared->FormatDate(text) + "|";
  EXPECT_EQ(shown, "Mar 05, 2004|Dec 30, 1991|Mar 05, 2004||||");
}

TEST(FormatDate, MonthNamesFollowTheUsersLocale) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("trf_locale_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::string build = "localedef -i nl_NL -f UTF-8 " + (dir / "nl_NL.UTF-8").string() + " >/dev/null 2>&1";
  if (std::system(build.c_str()) != 0) {
    std::filesystem::remove_all(dir);
    GTEST_SKIP() << "localedef or the nl_NL locale source is not available";
  }
  // The C library keeps a locale read from LOCPATH for the whole process, so the check runs in a child.
  GTEST_FLAG_SET(death_test_style, "fast");
  EXPECT_EXIT(
      {
        LibraryHarness h;
        testing::ScopedEnv path("LOCPATH", dir.string());
        testing::ScopedEnv lc("LC_ALL", "nl_NL.UTF-8");
        const bool dutch =
            h.shared->FormatDate("2004-05-01") == "mei 01, 2004" && h.shared->FormatDate("3/5/2004") == "mrt 05, 2004";
        _exit(dutch ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  std::filesystem::remove_all(dir);
}

// Negative values divide truncating, fractions round half to even.
TEST(Words, LowAndHighWordsAndConversionFailures) {
  LibraryHarness h;
  const std::tuple<const char*, Variant, int32_t, int32_t> rows[] = {
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
  for (const auto& [name, value, low, high] : rows) {
    EXPECT_EQ(h.shared->GetLoWord(value), low) << name;
    EXPECT_EQ(h.shared->GetHiWord(value), high) << name;
  }
  const std::pair<Variant, int32_t> failures[] = {
      {Variant::Double(2147483648.0), err::kOverflow},
      {Variant::Text("12abc"), err::kTypeMismatch},
      {Variant::Null(), err::kInvalidNull},
  };
  for (const auto& [value, number] : failures)
    EXPECT_TRUE(RaisedAt(Raised([&, &value = value] { (void)h.shared->GetHiWord(value); }), number, "GetHiWord", 10));
}

TEST(ComputeFullYears, AnniversaryRules) {
  LibraryHarness h;
  using dates::Serial;
  const std::tuple<const char*, double, double, int32_t> rows[] = {
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
  for (const auto& [name, start, end, years] : rows) EXPECT_EQ(h.shared->ComputeFullYears(start, end), years) << name;
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

// A started program whose every wait fails, as a wait the system refuses: the system's code 6 (the
// handle is invalid) for the waits and the reads of its exit code alike.
struct UnwaitableChild : ChildProcess {
  std::optional<int32_t> ExitCode() override { Raise(6, "", "The handle is invalid."); }
  void WaitFor(std::chrono::milliseconds) override { Raise(6, "", "The handle is invalid."); }
  int32_t Wait() override { Raise(6, "", "The handle is invalid."); }
};
struct UnwaitableStarter : ProcessStarter {
  std::unique_ptr<ChildProcess> Start(const std::string&) override { return std::make_unique<UnwaitableChild>(); }
};

// A program that ends in failure hands back its code in either wait (128 + n when signal n ended it); one that
// could not become its program (exit 127) raises 2, and a wait that itself fails raises the system's code, from
// the step that waited: 20 when ShellEx waits until the end, 30 when it polls. No exit code is made up.
TEST(ShellEx, FailingProgramsGiveTheirCodeWhileUnrunnableOnesAndFailedWaitsRaiseInEitherWait) {
  LibraryHarness h;
  for (const bool wait_dead : {true, false}) {
    SCOPED_TRACE(wait_dead ? "waiting until it ends" : "polling");
    const int32_t step = wait_dead ? 20 : 30;
    EXPECT_EQ(h.shared->ShellEx("false", wait_dead), 1);
    EXPECT_EQ(h.shared->ShellEx(R"(sh -c "kill -9 $$")", wait_dead), 137);
    EXPECT_TRUE(
        RaisedAt(Raised([&] { (void)h.shared->ShellEx(R"(sh -c "exit 127")", wait_dead); }), 2, "ShellEx", step));
    ScopedService<ProcessStarter> starter(std::make_shared<UnwaitableStarter>());
    EXPECT_TRUE(RaisedAt(Raised([&] { (void)h.shared->ShellEx("any program", wait_dead); }), 6, "ShellEx", step));
  }
}

// An event pump that fails on its second run, as an event handler may.
struct FailingPump : EventPump {
  void DoEvents() override {
    EventPump::DoEvents();
    if (++runs == 2) Raise(err::kInvalidCall, "Form", "event handler failed");
  }
  int runs = 0;
};

// A start failure raises at 10; an event handler's error while polling leaves at 30.
TEST(ShellEx, StartFailuresAndEventErrors) {
  LibraryHarness h;
  EXPECT_TRUE(RaisedAt(Raised([&] { (void)h.shared->ShellEx("no-such-program-trf-test", true); }), 2, "ShellEx", 10));
  auto pump = std::make_shared<FailingPump>();
  ScopedService<EventPump> pump_service(pump);
  EXPECT_EQ(Described(Raised([&] { (void)h.shared->ShellEx("sleep 0.2"); })),
            "5 Form: KW_UIShared.SharedProcedures.ShellEx:30\r\nevent handler failed");
}

}  // namespace
}  // namespace kw
