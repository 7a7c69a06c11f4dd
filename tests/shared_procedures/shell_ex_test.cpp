// ShellEx: starting programs, their exit codes and start failures, the event pumping while it
// waits (and what it costs), and that no child process or descriptor is left behind.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>
#include <unistd.h>

#include "tests/doubles/harness.h"
#include "ui_shared/platform/process.h"

namespace kw {
namespace {

using Clock = std::chrono::steady_clock;
using testing::LibraryHarness;

size_t OpenDescriptors() {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                           std::filesystem::directory_iterator()));
}

// Processes whose parent is this test process, zombies included.
int ChildProcesses() {
  int count = 0;
  const std::string me = std::to_string(getpid());
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    std::ifstream stat(entry.path() / "stat");
    std::string line;
    if (!std::getline(stat, line)) continue;
    const size_t paren = line.rfind(')');
    if (paren == std::string::npos) continue;
    std::istringstream rest(line.substr(paren + 2));
    std::string state, ppid;
    rest >> state >> ppid;
    if (ppid == me) ++count;
  }
  return count;
}

// Waits up to two seconds for this process to have no children left.
bool ChildrenGone() {
  for (int i = 0; i < 200 && ChildProcesses() != 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return ChildProcesses() == 0;
}

// An event pump that records when it ran and delivers posted messages as the default does.
class TimedPump : public EventPump {
 public:
  void DoEvents() override {
    times.push_back(Clock::now());
    EventPump::DoEvents();
    if (fail_after && times.size() >= *fail_after) Raise(err::kInvalidCall, "Form", "event handler failed");
  }
  std::vector<Clock::time_point> times;
  std::optional<size_t> fail_after;
};

struct ExitRow {
  const char* command;
  bool wait_dead;
  int32_t code;
};

// The started program's exit code comes back, with and without pumping; arguments arrive whole.
TEST(ShellEx, ReturnsTheExitCode) {
  LibraryHarness h;
  const ExitRow rows[] = {
      {"true", true, 0},
      {"false", false, 1},
      {R"(sh -c "exit 3")", true, 3},
      {R"(sh -c "exit 300")", false, 44},
      {R"(sh -c "test \"a b\" = 'a b'")", true, 0},
  };
  for (const auto& row : rows) EXPECT_EQ(h.shared->ShellEx(row.command, row.wait_dead), row.code) << row.command;
  EXPECT_TRUE(ChildrenGone());
}

// A missing program raises the system's code 2 through the member's trail; nothing is left open.
TEST(ShellEx, MissingProgramRaisesTwoAndLeavesNothingOpen) {
  LibraryHarness h;
  const size_t before = OpenDescriptors();
  for (const char* command : {"no-such-program-trf-test --flag", "/nonexistent/dir/program", ""}) {
    try {
      (void)h.shared->ShellEx(command, false);
      FAIL() << "no error for " << command;
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), 2) << command;
      EXPECT_EQ(e.Description().rfind("KW_UIShared.SharedProcedures.ShellEx:10\r\n", 0), 0u) << command;
    }
  }
  EXPECT_EQ(OpenDescriptors(), before);
  EXPECT_TRUE(ChildrenGone());
}

// A child that the C library could not turn into its program exits with 127, which counts as
// the missing file (2) too.
TEST(ShellEx, ExitCode127CountsAsAMissingFile) {
  LibraryHarness h;
  try {
    (void)h.shared->ShellEx(R"(sh -c "exit 127")", true);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), 2);
    EXPECT_EQ(e.Description().rfind("KW_UIShared.SharedProcedures.ShellEx:20\r\n", 0), 0u);
  }
  EXPECT_TRUE(ChildrenGone());
}

// The started program inherits no descriptor of the caller beyond the standard three.
TEST(ShellEx, ProgramInheritsNoDescriptors) {
  LibraryHarness h;
  const int fd = ::open("/dev/null", O_RDONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::dup2(fd, 57), 57);
  EXPECT_EQ(h.shared->ShellEx(R"(sh -c "test ! -e /proc/self/fd/57")", true), 0);
  EXPECT_EQ(h.shared->ShellEx(R"(sh -c "test -e /proc/self/fd/2")", true), 0);
  ::close(57);
  ::close(fd);
}

// A file that may not be executed raises 5 (access denied).
TEST(ShellEx, NotExecutableRaisesFive) {
  LibraryHarness h;
  const auto path = std::filesystem::temp_directory_path() / ("trf_noexec_" + std::to_string(getpid()));
  std::ofstream(path) << "#!/bin/sh\nexit 0\n";
  chmod(path.c_str(), 0644);
  try {
    (void)h.shared->ShellEx(path.string(), true);
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), 5);
  }
  std::filesystem::remove(path);
}

// While a one-second program runs, posted events are handled within 20 ms and the wait costs
// under 10 % of one core.
TEST(ShellEx, PumpsEventsWithoutBurningTheProcessor) {
  LibraryHarness h;
  auto pump = std::make_shared<TimedPump>();
  ScopedService<EventPump> pump_service(pump);
  rusage before{}, after{};
  getrusage(RUSAGE_SELF, &before);
  const auto start = Clock::now();
  EXPECT_EQ(h.shared->ShellEx("sleep 1"), 0);
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  getrusage(RUSAGE_SELF, &after);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
  const double cpu = seconds(after.ru_utime) - seconds(before.ru_utime) + seconds(after.ru_stime) -
                     seconds(before.ru_stime);
  std::vector<double> gaps;
  for (size_t i = 1; i < pump->times.size(); ++i)
    gaps.push_back(std::chrono::duration<double, std::milli>(pump->times[i] - pump->times[i - 1]).count());
  std::sort(gaps.begin(), gaps.end());
  ASSERT_FALSE(gaps.empty());
  const double p95 = gaps[gaps.size() * 95 / 100];
  std::cout << "ShellEx wait: wall " << wall << " s, cpu " << cpu << " s (" << 100.0 * cpu / wall << " %), "
            << pump->times.size() << " pumps, gap p95 " << p95 << " ms, max " << gaps.back() << " ms\n";
  EXPECT_GE(wall, 0.9);
  EXPECT_LT(cpu / wall, 0.10);
  EXPECT_LE(p95, 20.0);
}

// An error raised by an event handler while waiting leaves ShellEx, and the program is still
// reaped when it ends: no zombie, no descriptor.
TEST(ShellEx, EventErrorWhileWaitingLeavesNoZombie) {
  LibraryHarness h;
  auto pump = std::make_shared<TimedPump>();
  pump->fail_after = 2;
  ScopedService<EventPump> pump_service(pump);
  const size_t before = OpenDescriptors();
  try {
    (void)h.shared->ShellEx("sleep 0.2");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), err::kInvalidCall);
    EXPECT_EQ(e.Source(), "Form");
  }
  EXPECT_EQ(OpenDescriptors(), before);
  EXPECT_TRUE(ChildrenGone());
}

}  // namespace
}  // namespace kw
