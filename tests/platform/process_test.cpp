// Process start: Windows command-line splitting, exit codes, start failures, nothing left behind.
#include "ui_shared/platform/process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
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

// Waits up to 2 s until no process, zombies included, names this one as parent in /proc/<pid>/stat.
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

TEST(SplitCommandLine, WindowsRules) {
  const std::tuple<const char*, const char*, std::vector<std::string>> rows[] = {
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
      {"nothing", "   ", {}}};
  for (const auto& [name, line, args] : rows) EXPECT_EQ(SplitCommandLine(line), args) << name;
}

// Descriptor 57 stands for one the caller opened: the program must inherit only the standard three.
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
      {R"(sh -c "test ! -e /proc/self/fd/57 && test -e /proc/self/fd/2")", 0}};
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

// Exit code 127 is the C library's sign that the child could not become its program: it raises 2.
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

// A wait that itself fails raises the system's code for the failure rather than an exit code the
// program never gave: here the system reaps the program first (children are not kept while SIGCHLD
// is ignored), so waitpid finds no child.
TEST(ProcessStarter, AWaitThatFailsRaisesTheSystemCode) {
  struct sigaction ignore {
  }, before{};
  ignore.sa_handler = SIG_IGN;
  ASSERT_EQ(::sigaction(SIGCHLD, &ignore, &before), 0);
  ProcessStarter starter;
  const auto waited = starter.Start(R"(sh -c "exit 3")");
  const int32_t wait_failure = testing::RaisedNumber([&] { (void)waited->Wait(); });
  const auto polled = starter.Start(R"(sh -c "exit 3")");
  const int32_t poll_failure = testing::RaisedNumber([&] {
    for (int i = 0; i < 200; ++i) {
      if (polled->ExitCode()) return;
      polled->WaitFor(10ms);
    }
  });
  ::sigaction(SIGCHLD, &before, nullptr);
  EXPECT_EQ(wait_failure, ECHILD) << "Wait";
  EXPECT_EQ(poll_failure, ECHILD) << "ExitCode";
}

}  // namespace
}  // namespace kw
