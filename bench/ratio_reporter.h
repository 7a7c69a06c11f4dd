// RatioReporter: the one reporter of every benchmark. Benchmarks run as repetitions interleaved at
// random; the reporter keeps each repetition's processor time per iteration and pairs a path with
// its floor repetition by repetition, so that a ratio is reported as the min and median of those
// pairs, never one sample. Each ratio ends the output as one line a script can read:
//   ratio <name> min <x> median <y> goal <z>
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
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
      } else if (!run.error_occurred && run.iterations > 0) {
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
    std::vector<double> ratios;
    const auto a = seconds_.find(measured);
    const auto b = seconds_.find(floor);
    if (a != seconds_.end() && b != seconds_.end()) {
      for (const auto& [repetition, seconds] : a->second) {
        const auto other = b->second.find(repetition);
        if (other != b->second.end() && other->second > 0)
          ratios.push_back((seconds / per_measured) / (other->second / per_floor));
      }
    }
    Value(name, std::move(ratios), goal);
  }

  // A figure measured directly (bytes, counts), one sample per repetition.
  void Value(const std::string& name, std::vector<double> samples, double goal) {
    lines_.push_back({name, std::move(samples), goal});
  }

  // Prints the `ratio` lines; a ratio without samples is reported as missing, not left out.
  void PrintRatios() const {
    std::printf("\n");
    for (const Line& line : lines_) {
      if (line.samples.empty()) {
        std::printf("ratio %s min nan median nan goal %g\n", line.name.c_str(), line.goal);
        continue;
      }
      std::vector<double> sorted = line.samples;
      std::sort(sorted.begin(), sorted.end());
      const size_t n = sorted.size();
      const double median = n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
      std::printf("ratio %s min %.3g median %.3g goal %g\n", line.name.c_str(), sorted.front(), median, line.goal);
    }
    std::fflush(stdout);
  }

 private:
  struct Line {
    std::string name;
    std::vector<double> samples;
    double goal;
  };
  std::map<std::string, std::map<int64_t, double>> seconds_;
  std::vector<Line> lines_;
  bool wall_clock_;
};

// Runs the registered benchmarks as at least 7 repetitions interleaved at random (flags given on
// the command line win), then lets `ratios` name the pairs and prints them (timed on the wall clock
// with `wall_clock`). Returns main's status.
inline int RunWithRatios(int argc, char** argv, const std::function<void(RatioReporter&)>& ratios,
                         bool wall_clock = false) {
  std::vector<char*> args(argv, argv + argc);
  std::string repetitions = "--benchmark_repetitions=7";
  std::string interleaving = "--benchmark_enable_random_interleaving=true";
  std::string min_time = "--benchmark_min_time=0.05";
  args.insert(args.begin() + 1, {repetitions.data(), interleaving.data(), min_time.data()});
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  RatioReporter reporter(wall_clock);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  ratios(reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench
