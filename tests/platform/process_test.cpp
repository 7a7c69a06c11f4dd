// Process start: command-line splitting by the Windows rules, exit codes, start failures, and that
// no child process or descriptor is left behind.
#include "ui_shared/platform/process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/doubles/raised.h"

namespace kw {
namespace {

using namespace std::chrono_literals;

size_t OpenDescriptors() {
  return static_cast<size_t>(
      std::distance(std::filesystem::directory_iterator("/proc/self/fd"), std::filesystem::directory_iterator()));
}

// Waits up to two seconds for this process to have no children left, zombies included (a child
// names its parent in the fourth field of /proc/<pid>/stat, after the closing parenthesis).
bool ChildrenGone() {
  const std::string me = std::to_string(getpid());
  const auto children = [&] {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
      std::ifstream stat(entry.path() / "stat");
      std::string line, state, ppid;
      if (!std::getline(stat, line) || line.rfind(')') == std::string::npos) continue;
      std::istringstream(line.substr(line.rfind(')') + 2)) >> state >> ppid;
      count += ppid == me;
    }
    return count;
  };
  for (int i = 0; i < 200 && children() != 0; ++i) std::this_thread::sleep_for(10ms);
  return children() == 0;
}

struct SplitRow {
  const char* name;
  const char* line;
  std::vector<std::string> args;
};

// Blanks and tabs split outside quotes; backslashes count only before a quote.
TEST(SplitCommandLine, WindowsRules) {
  const SplitRow rows[] = {
      {"blanks and tabs", "a b\tc", {"a", "b", "c"}},
      {"runs of blanks", "  a   b  ", {"a", "b"}},
      {"quoted blank", R"("a b" c)", {"a b", "c"}},
      {"quote inside a word", R"(x"a b"y)", {"xa by"}},
      {"plain backslashes", R"(C:\dir\file x\\y)", {R"(C:\dir\file)", R"(x\\y)"}},
      {"2n backslashes toggle quoting", R"(a\\"b c")", {R"(a\b c)"}},
      {"2n+1 backslashes give a quote", R"(a\\\"b c)", {R"(a\"b)", "c"}},
      {"single escaped quote", R"(\"x\")", {R"("x")"}},
      {"empty quotes are an argument", R"(prog "" x)", {"prog", "", "x"}},
      {"unclosed quote runs to the end", R"(a "b c)", {"a", "b c"}},
      {"nothing", "   ", {}},
  };
  for (const auto& row : rows) EXPECT_EQ(SplitCommandLine(row.line), row.args) << row.name;
}

// The exit code comes back from Wait and from polling alike; arguments arrive whole; the program
// inherits no descriptor of the caller beyond the standard three; every child is reaped.
TEST(ProcessStarter, ExitCodesArgumentsAndDescriptors) {
  const int fd = ::open("/dev/null", O_RDONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::dup2(fd, 57), 57);
  const std::pair<const char*, int32_t> rows[] = {
      {"true", 0},
      {"false", 1},
      {R"(sh -c "exit 3")", 3},
      {R"(sh -c "exit 300")", 44},
      {R"(sh -c "test \"a b\" = 'a b'")", 0},
      {R"(sh -c "test ! -e /proc/self/fd/57 && test -e /proc/self/fd/2")", 0},
  };
  ProcessStarter starter;
  for (bool poll : {false, true}) {
    for (const auto& [command, code] : rows) {
      const auto child = starter.Start(command);
      if (poll)
        while (!child->ExitCode()) child->WaitFor(10ms);
      EXPECT_EQ(poll ? *child->ExitCode() : child->Wait(), code) << command << poll;
    }
  }
  ::close(57);
  ::close(fd);
  EXPECT_TRUE(ChildrenGone());
}

// A missing program, an empty line and a child that the C library could not turn into its program
// (exit code 127) raise 2, a file that may not be executed 5; nothing is left open or unreaped,
// not even by a program dropped while it still runs.
TEST(ProcessStarter, StartFailuresRaiseTheSystemCode) {
  const auto noexec = std::filesystem::temp_directory_path() / ("trf_noexec_" + std::to_string(getpid()));
  std::ofstream(noexec) << "#!/bin/sh\nexit 0\n";
  chmod(noexec.c_str(), 0644);
  const size_t before = OpenDescriptors();
  ProcessStarter starter;
  const std::pair<std::string, int32_t> rows[] = {{"no-such-program-trf-test --flag", 2},
                                                  {"/nonexistent/dir/program", 2},
                                                  {"", 2},
                                                  {R"(sh -c "exit 127")", 2},
                                                  {noexec.string(), 5}};
  for (const auto& [command, number] : rows)
    EXPECT_EQ(testing::RaisedNumber([&starter, &command = command] { (void)starter.Start(command)->Wait(); }), number)
        << command;
  std::filesystem::remove(noexec);
  EXPECT_FALSE(ProcessStarter().Start("sleep 0.2")->ExitCode());  // dropped while it runs, reaped later
  EXPECT_EQ(OpenDescriptors(), before);
  EXPECT_TRUE(ChildrenGone());
}

}  // namespace
}  // namespace kw
