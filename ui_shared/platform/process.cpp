// Windows command-line splitting and process start over posix_spawnp, waitpid and a pidfd.
#include "ui_shared/platform/process.h"

#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>

#include "ui_shared/platform/error.h"

namespace kw {
namespace {

// The C library makes a child that it could not turn into the program exit with this code.
constexpr int kExecFailedStatus = 127;

// The system error code that the original platform reported for a C library error number.
int32_t SystemCodeOf(int error_number) {
  switch (error_number) {
    case ENOENT: return system_errors::kFileNotFound;
    case ENOTDIR: return system_errors::kPathNotFound;
    case EACCES:
    case EPERM: return system_errors::kAccessDenied;
    case ENOMEM: return system_errors::kNotEnoughMemory;
    case ENOEXEC: return system_errors::kBadFormat;
    default: return error_number;
  }
}

[[noreturn]] void RaiseSystemError(int error_number) {
  Raise(SystemCodeOf(error_number), "", std::strerror(error_number));
}

// waitpid, retried when a signal interrupts it; the pid, 0 while running, -1 on failure.
pid_t WaitPid(pid_t pid, int& status, int options) {
  pid_t r;
  do {
    r = ::waitpid(pid, &status, options);
  } while (r < 0 && errno == EINTR);
  return r;
}

// A program started by posix_spawnp, watched through a pidfd where the kernel offers one (else
// by short sleeps).
class PosixChild final : public ChildProcess {
 public:
  explicit PosixChild(pid_t pid) : pid_(pid), pidfd_(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0))) {}

  ~PosixChild() override {
    if (pidfd_ >= 0) ::close(pidfd_);
    if (reaped_) return;
    int status = 0;
    if (WaitPid(pid_, status, WNOHANG) != 0) return;
    const auto reap = [pid = pid_] {
      int ignored = 0;
      WaitPid(pid, ignored, 0);
    };
    try {
      std::thread(reap).detach();
    } catch (...) {
      reap();  // no thread to spare: wait here rather than leave a zombie
    }
  }
  PosixChild(const PosixChild&) = delete;
  PosixChild& operator=(const PosixChild&) = delete;

  std::optional<int32_t> ExitCode() override {
    if (!reaped_) {
      int status = 0;
      const pid_t r = WaitPid(pid_, status, WNOHANG);
      if (r == 0) return std::nullopt;
      Reaped(r, status);
    }
    return exit_code_;
  }

  void WaitFor(std::chrono::milliseconds timeout) override {
    if (reaped_) return;
    if (pidfd_ >= 0) {
      pollfd fd{pidfd_, POLLIN, 0};
      ::poll(&fd, 1, static_cast<int>(timeout.count()));
    } else {
      std::this_thread::sleep_for(std::min(timeout, std::chrono::milliseconds(5)));
    }
  }

  int32_t Wait() override {
    if (!reaped_) {
      int status = 0;
      const pid_t r = WaitPid(pid_, status, 0);
      Reaped(r, status);
    }
    return exit_code_;
  }

 private:
  // Records the outcome of a wait; raises the system code when the wait failed or the program
  // could not be run.
  void Reaped(pid_t result, int status) {
    if (result < 0) {
      reaped_ = true;
      RaiseSystemError(errno);
    }
    reaped_ = true;
    exit_code_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (exit_code_ == kExecFailedStatus) RaiseSystemError(ENOENT);
  }

  pid_t pid_;
  int pidfd_;
  bool reaped_ = false;
  int32_t exit_code_ = 0;
};

// posix_spawn file actions that close every descriptor above standard error in the child.
class NoInheritedDescriptors {
 public:
  NoInheritedDescriptors() {
    posix_spawn_file_actions_init(&actions_);
    posix_spawn_file_actions_addclosefrom_np(&actions_, 3);
  }
  ~NoInheritedDescriptors() { posix_spawn_file_actions_destroy(&actions_); }
  NoInheritedDescriptors(const NoInheritedDescriptors&) = delete;
  NoInheritedDescriptors& operator=(const NoInheritedDescriptors&) = delete;
  const posix_spawn_file_actions_t* Get() const { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::vector<std::string> args;
  std::string current;
  bool in_token = false;
  bool quoted = false;
  for (size_t i = 0; i < line.size();) {
    const char c = line[i];
    if (c == '\\') {
      size_t backslashes = 0;
      while (i < line.size() && line[i] == '\\') ++backslashes, ++i;
      in_token = true;
      if (i < line.size() && line[i] == '"') {
        current.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
          current += '"';
          ++i;
        }
      } else {
        current.append(backslashes, '\\');
      }
    } else if (c == '"') {
      quoted = !quoted;
      in_token = true;
      ++i;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (in_token) args.push_back(std::move(current));
      current.clear();
      in_token = false;
      ++i;
    } else {
      current += c;
      in_token = true;
      ++i;
    }
  }
  if (in_token) args.push_back(std::move(current));
  return args;
}

std::unique_ptr<ChildProcess> ProcessStarter::Start(const std::string& command_line) {
  std::vector<std::string> args = SplitCommandLine(command_line);
  if (args.empty() || args[0].empty()) RaiseSystemError(ENOENT);
  std::vector<char*> argv;
  argv.reserve(args.size() + 1);
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const NoInheritedDescriptors actions;
  pid_t pid = 0;
  const int rc = ::posix_spawnp(&pid, argv[0], actions.Get(), nullptr, argv.data(), environ);
  if (rc != 0) RaiseSystemError(rc);
  return std::make_unique<PosixChild>(pid);
}

}  // namespace kw
