// A scripted run of 1,000 commands against start-up alone: how often the program's output is
// flushed (each flush of the standard output is a system call), as the ratio of the two counts.
// The output is flushed only when the program waits for input or exits, not once per line.
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "app/data/memory_policy.h"
#include "app/terminal/trf_session.h"
#include "bench/ratio_reporter.h"

namespace {

// An output that throws its text away and counts the flushes asked of it.
class CountingOutput : public std::streambuf {
 public:
  int flushes = 0;

 protected:
  int sync() override {
    ++flushes;
    return 0;
  }
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// A month's screens visited in turn: the setup once, then 1,000 commands in all.
std::string ScriptOf(int commands) {
  std::string script = "go home\nselect 1\ngo setup\nselect 3\n";
  for (int i = 4; i < commands; ++i) script += i % 2 ? "go residents\n" : "go expenses\n";
  return script;
}

// The flushes of one session that starts and runs `commands` commands from a script.
double FlushesOf(int commands) {
  CountingOutput counter;
  std::ostream out(&counter);
  {
    trf::TrfSession session(":memory:", out, nullptr);
    std::istringstream script(commands ? ScriptOf(commands) : "");
    if (session.RunScript(script, true) != 0) return -1;
  }
  out.flush();  // what the program's exit does
  return counter.flushes;
}

}  // namespace

int main(int argc, char** argv) {
  trf::KeepFreedMemoryForReloads();  // as the programs run
  return bench::RunWithRatios(argc, argv, [](bench::RatioReporter& r) {
    std::vector<double> ratios;
    ratios.reserve(5);
    for (int i = 0; i < 5; ++i) ratios.push_back(FlushesOf(1000) / FlushesOf(0));
    r.Value("script_1000_commands_vs_startup_flushes", ratios, 1);
  });
}
