// What ShellEx's wait costs while it pumps events: for a 0.2-second program, its wall time against
// a plain posix_spawnp and waitpid (the floor), the processor share of the wait, and the 95th
// percentile of the gaps between event pumps against the 10 ms slice. Floor and path alternate in
// each of seven repetitions; the shared reporter prints each figure's min and median.
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

#include "app/siblings/app_services.h"
#include "bench/ratio_reporter.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/platform/windows.h"
#include "ui_shared/registration.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

// POSIX asks the program to declare it; glibc declares it too, but only with _GNU_SOURCE.
extern char** environ;  // NOLINT(readability-redundant-declaration)

namespace {

using Clock = std::chrono::steady_clock;

// An event pump that notes when it ran and delivers posted messages as the default does.
class TimedPump : public kw::EventPump {
 public:
  void DoEvents() override {
    times.push_back(Clock::now());
    EventPump::DoEvents();
  }
  std::vector<Clock::time_point> times;
};

// One wait: its wall seconds and the processor seconds spent meanwhile.
struct Wait {
  double wall = 0, cpu = 0;
};

template <typename Action>
Wait Measure(Action action) {
  const std::clock_t cpu_start = std::clock();
  const auto start = Clock::now();
  action();
  return {std::chrono::duration<double>(Clock::now() - start).count(),
          static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC};
}

// The floor: the same program started and waited for by hand.
void SpawnAndWaitpid() {
  char sleep[] = "sleep", seconds[] = "0.2";
  char* argv[] = {sleep, seconds, nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, "sleep", nullptr, nullptr, argv, environ) != 0) return;
  int status = 0;
  waitpid(pid, &status, 0);
}

// Seven waits of each kind, alternating, reported as the ratios of each pair.
void MeasureWaits(bench::RatioReporter& reporter) {
  trf::AppServices services(":memory:");
  kw::ScopedService<kw::WindowTable> windows{std::make_shared<kw::WindowTable>()};
  auto shared = std::make_shared<kw::SharedProcedures>();
  std::vector<double> wall_ratio, cpu_share, floor_cpu_share, gap_ratio;
  for (int repetition = 0; repetition < 7; ++repetition) {
    const Wait floor = Measure(SpawnAndWaitpid);
    auto pump = std::make_shared<TimedPump>();
    kw::ScopedService<kw::EventPump> pump_service(pump);
    const Wait shell = Measure([&] { (void)shared->ShellEx("sleep 0.2"); });
    std::vector<double> gaps;
    for (size_t i = 1; i < pump->times.size(); ++i)
      gaps.push_back(std::chrono::duration<double, std::milli>(pump->times[i] - pump->times[i - 1]).count());
    std::sort(gaps.begin(), gaps.end());
    wall_ratio.push_back(shell.wall / floor.wall);
    cpu_share.push_back(shell.cpu / shell.wall);
    floor_cpu_share.push_back(floor.cpu / floor.wall);
    gap_ratio.push_back(gaps.empty() ? 1e9 : gaps[gaps.size() * 95 / 100] / 10.0);
  }
  reporter.Value("shell_ex_wall_over_waitpid", wall_ratio, 1.10);
  reporter.Value("shell_ex_cpu_share", cpu_share, 0.10);
  reporter.Value("waitpid_cpu_share", floor_cpu_share, 0.10);
  reporter.Value("shell_ex_pump_gap_p95_over_slice", gap_ratio, 2.0);
}

}  // namespace

int main(int argc, char** argv) { return bench::RunWithRatios(argc, argv, MeasureWaits); }
