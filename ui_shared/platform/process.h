// Process start as a replaceable service: a command line is split by the Windows rules and the
// program started with posix_spawnp, inheriting no descriptors beyond standard input, output and
// error. Failures raise the system's error code for them (2 file not found, 5 access denied).
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kw {

// System error codes that a failed start raises.
namespace system_errors {
inline constexpr int32_t kFileNotFound = 2;     // the program does not exist
inline constexpr int32_t kPathNotFound = 3;     // a folder of the path does not exist
inline constexpr int32_t kAccessDenied = 5;     // the program may not be run
inline constexpr int32_t kNotEnoughMemory = 8;  // the system could not start another process
inline constexpr int32_t kBadFormat = 193;      // the file is no program this system runs
}  // namespace system_errors

// Splits a command line at blanks and tabs outside double quotes; inside, 2n backslashes before a
// quote give n backslashes and toggle quoting, 2n + 1 give n backslashes and a literal quote;
// other backslashes are literal. "" gives an empty argument.
std::vector<std::string> SplitCommandLine(std::string_view command_line);

// A started program. It is always reaped: destroying it while the program still runs hands the
// program to a background waiter, so that no zombie is left behind.
class ChildProcess {
 public:
  virtual ~ChildProcess() = default;
  // The exit code (its low 8 bits; 128 + n for a program ended by signal n) once the program has
  // ended, nullopt while it runs.
  virtual std::optional<int32_t> ExitCode() = 0;
  // Blocks until the program ends or `timeout` passes, without using the processor meanwhile.
  virtual void WaitFor(std::chrono::milliseconds timeout) = 0;
  // Blocks until the program ends; its exit code.
  virtual int32_t Wait() = 0;
};

// Starts programs from a command line split by the Windows rules, through posix_spawnp, and waits
// for them; Service<ProcessStarter> is the starter in force.
class ProcessStarter {
 public:
  virtual ~ProcessStarter() = default;
  // Starts the program that `command_line` names, in the caller's environment and folder.
  // Raises the system code of the failure, with the system's message as description.
  virtual std::unique_ptr<ChildProcess> Start(const std::string& command_line);
  // The starter that uses the system, the default of Service<ProcessStarter>.
  static std::shared_ptr<ProcessStarter> MakeDefault() { return std::make_shared<ProcessStarter>(); }
};

}  // namespace kw
