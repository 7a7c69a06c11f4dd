// Transcript: everything the program prints goes through it, so that a script's `expect` can look
// at the output written since the previous command. The output is flushed only when the program
// waits for input (a prompt, a question, a script line not read yet) or stops, not once per line.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace trf {

class Transcript {
 public:
  explicit Transcript(std::ostream& out) : out_(out) {}

  // With --verbose the terminal also prints what only a developer needs: form keys, colour codes,
  // the hourglass.
  bool Verbose() const { return verbose_; }
  void SetVerbose(bool verbose) { verbose_ = verbose; }

  // Writes a line (a line feed is added).
  void Line(std::string_view text);
  // Writes a prompt for the person at the terminal and flushes (no line feed; not part of the
  // output that `expect` looks at).
  void Prompt(std::string_view text);
  // Writes the echo of a script line: shown, but not output an `expect` could find (else every
  // expectation would find itself in its own echo).
  void Echo(std::string_view text);
  // Hands what was written to the output: before the program waits for input, and when it stops.
  void Flush();
  // Starts a new command: what was written before is no longer "since the previous command".
  void Mark() { since_mark_.clear(); }
  const std::string& SinceMark() const { return since_mark_; }

 private:
  std::ostream& out_;
  std::string since_mark_;
  bool verbose_ = false;
};

}  // namespace trf
