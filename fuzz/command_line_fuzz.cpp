// Fuzzes the command-line splitting of process start: any line splits without a fault, and the
// arguments it gives, quoted back by the same rules, split again into the same arguments.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "ui_shared/platform/process.h"

using kw::fuzz::Require;

namespace {

// `argument` quoted so that the splitter gives it back: backslashes before a quote or the closing
// quote are doubled, quotes escaped.
std::string Quoted(const std::string& argument) {
  std::string out = "\"";
  size_t backslashes = 0;
  for (const char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    out.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    out += c;
  }
  out.append(2 * backslashes, '\\');
  return out + "\"";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> arguments =
      kw::SplitCommandLine(std::string(reinterpret_cast<const char*>(data), size));
  std::string line;
  for (const std::string& argument : arguments) line += (line.empty() ? "" : " ") + Quoted(argument);
  Require(kw::SplitCommandLine(line) == arguments, "the arguments quoted back split the same: " + line);
  return 0;
}
