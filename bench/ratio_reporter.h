// RatioReporter: the one reporter of every benchmark. Benchmarks run as repetitions interleaved at
// random; the reporter keeps each repetition's processor time per iteration and pairs a path with
// its floor repetition by repetition. A ratio is reported as its min, the fastest repetition of the
// path over the fastest of the floor (each side at its least disturbed), and the median of the
// pairs' ratios, never one sample. Each ratio ends the output as one line a script can read:
//   ratio <name> min <x> median <y> goal <z>
// A ratio that could not be measured (no samples, a failed step, a figure that is not finite or
// not above zero) is reported as failed, and the benchmark's main returns failure.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  // With `wall_clock`, repetitions are timed on the wall clock: for work that waits on a server.
  explicit RatioReporter(bool wall_clock = false) : wall_clock_(wall_clock) {}

  // Keeps every repetition's time per iteration; shows only the aggregates (mean, median, spread).
  void ReportRuns(const std::vector<Run>& runs) override {
    std::vector<Run> aggregates;
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate) {
        aggregates.push_back(run);
      } else if (run.error_occurred) {
        std::fprintf(stderr, "%s failed: %s\n", run.benchmark_name().c_str(), run.error_message.c_str());
      } else if (run.iterations > 0) {
        seconds_[run.benchmark_name()][run.repetition_index] =
            (wall_clock_ ? run.real_accumulated_time : run.cpu_accumulated_time) / static_cast<double>(run.iterations);
      }
    }
    if (!aggregates.empty()) ConsoleReporter::ReportRuns(aggregates);
  }

  // A ratio of two benchmarks, paired by repetition: (`measured` / `per_measured`) over
  // (`floor` / `per_floor`); the divisors turn times of different sizes into times per record.
  void Ratio(const std::string& name, const std::string& measured, const std::string& floor, double goal,
             double per_measured = 1, double per_floor = 1) {
    std::vector<double> ratios, paths, floors;
    const auto a = seconds_.find(measured);
    const auto b = seconds_.find(floor);
    if (a != seconds_.end() && b != seconds_.end()) {
      for (const auto& [repetition, seconds] : a->second) paths.push_back(seconds / per_measured);
      for (const auto& [repetition, seconds] : b->second) floors.push_back(seconds / per_floor);
      for (const auto& [repetition, seconds] : a->second) {
        const auto other = b->second.find(repetition);
        if (other != b->second.end()) ratios.push_back((seconds / per_measured) / (other->second / per_floor));
      }
    }
    const double min = paths.empty() || floors.empty() ? std::nan("")
                                                       : *std::min_element(paths.begin(), paths.end()) /
                                                             *std::min_element(floors.begin(), floors.end());
    lines_.push_back({name, min, std::move(ratios), goal});
  }

  // A figure measured directly (bytes, counts), one sample per repetition; its min is the least sample.
  void Value(const std::string& name, std::vector<double> samples, double goal) {
    const double min = samples.empty() ? std::nan("") : *std::min_element(samples.begin(), samples.end());
    lines_.push_back({name, min, std::move(samples), goal});
  }

  // Prints the `ratio` lines; false when any of them could not be measured, which is then said
  // on its line instead of a figure.
  [[nodiscard]] bool PrintRatios() const {
    std::printf("\n");
    bool all_measured = true;
    for (const Line& line : lines_) {
      std::vector<double> sorted = line.samples;
      std::sort(sorted.begin(), sorted.end());
      const size_t n = sorted.size();
      const double median = n == 0 ? std::nan("") : n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
      const auto measured = [](double x) { return std::isfinite(x) && x > 0; };
      if (n == 0 || !measured(line.min) || !std::all_of(sorted.begin(), sorted.end(), measured)) {
        std::printf("ratio %s FAILED: %zu samples, a ratio needs samples that are finite and above zero\n",
                    line.name.c_str(), n);
        all_measured = false;
        continue;
      }
      std::printf("ratio %s min %.3g median %.3g goal %g\n", line.name.c_str(), line.min, median, line.goal);
    }
    std::fflush(stdout);
    return all_measured;
  }

 private:
  struct Line {
    std::string name;
    double min;
    std::vector<double> samples;
    double goal;
  };
  std::map<std::string, std::map<int64_t, double>> seconds_;
  std::vector<Line> lines_;
  bool wall_clock_;
};

// Runs the registered benchmarks as at least 7 repetitions interleaved at random (flags given on
// the command line win), then lets `ratios` name the pairs and prints them (timed on the wall clock
// with `wall_clock`). With `groups` (filters, such as "BM_Load"), each group runs on its own, its
// repetitions interleaved with each other only: a pair whose work leaves the machine busy (a
// server writing out a batch) then lands on its own repetitions, not on another pair's; a
// --benchmark_filter given on the command line runs instead of the groups. Returns
// main's status: failure when a ratio could not be measured.
inline int RunWithRatios(int argc, char** argv, const std::function<void(RatioReporter&)>& ratios,
                         bool wall_clock = false, const std::vector<std::string>& groups = {}) {
  std::vector<char*> args(argv, argv + argc);
  std::string repetitions = "--benchmark_repetitions=7";
  std::string interleaving = "--benchmark_enable_random_interleaving=true";
  std::string min_time = "--benchmark_min_time=0.05";
  args.insert(args.begin() + 1, {repetitions.data(), interleaving.data(), min_time.data()});
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  RatioReporter reporter(wall_clock);
  // A filter given on the command line wins over the groups, which would each run in full.
  const bool filtered = std::any_of(
      argv + 1, argv + argc, [](const char* arg) { return std::string_view(arg).starts_with("--benchmark_filter"); });
  if (groups.empty() || filtered) benchmark::RunSpecifiedBenchmarks(&reporter);
  if (!filtered) {
    for (const std::string& group : groups) benchmark::RunSpecifiedBenchmarks(&reporter, group);
  }
  ratios(reporter);
  const bool all_measured = reporter.PrintRatios();
  benchmark::Shutdown();
  return all_measured ? 0 : 1;
}

}  // namespace bench
