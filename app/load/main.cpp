// trf-load: many desks at once on a made region's server (tools/make-region): for each number of
// desks asked for, that many desks of as many homes save their residents' fees as trf saves them,
// and one line says what they did.
#include <charconv>
#include <fstream>
#include <iostream>
#include <optional>
#include <string_view>
#include <vector>

#include "app/data/database.h"
#include "app/load/load_run.h"

namespace {

constexpr const char* kUsage =
    "usage: trf-load --db URI [--desks 1,10,50,200] [--seconds 30] [--desks-via URI] [--desk-prefix desk]\n"
    "  URI is the region's database as its administrator; the desks connect as their own roles to URI,\n"
    "  or to --desks-via (a pooler before the server, say). Each number of desks runs for the seconds given.\n";

// The machine's load average over the last minute, as the kernel counts it.
std::string LoadAverage() {
  std::ifstream file("/proc/loadavg");
  std::string one, five, fifteen;
  file >> one >> five >> fifteen;
  return one + " " + five + " " + fifteen;
}

std::optional<std::vector<int>> DeskCounts(std::string_view text) {
  std::vector<int> counts;
  while (!text.empty()) {
    const size_t comma = text.find(',');
    const std::string_view item = text.substr(0, comma);
    int count = 0;
    const auto [end, error] = std::from_chars(item.data(), item.data() + item.size(), count);
    if (error != std::errc() || end != item.data() + item.size() || count < 1) return std::nullopt;
    counts.push_back(count);
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
  }
  return counts.empty() ? std::nullopt : std::optional(counts);
}

}  // namespace

int main(int argc, char** argv) {
  trf::load::LoadPlan plan;
  std::vector<int> counts = {1, 10, 50, 200};
  for (int i = 1; i < argc; ++i) {
    const std::string_view option = argv[i];
    if (option == "--help") {
      std::cout << kUsage;
      return 0;
    }
    if (i + 1 >= argc) {
      std::cerr << "trf-load: option " << option << " wants a value\n" << kUsage;
      return 2;
    }
    const std::string_view value = argv[++i];
    double seconds = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), seconds);
    if (option == "--db") {
      plan.admin_uri = value;
    } else if (option == "--desks-via") {
      plan.desks_uri = value;
    } else if (option == "--desk-prefix") {
      plan.desk_prefix = value;
    } else if (option == "--desks" && DeskCounts(value)) {
      counts = *DeskCounts(value);
    } else if (option == "--seconds" && error == std::errc() && end == value.data() + value.size() && seconds > 0) {
      plan.seconds = seconds;
    } else {
      std::cerr << "trf-load: option " << option << " does not take " << value << "\n" << kUsage;
      return 2;
    }
  }
  if (plan.admin_uri.empty()) {
    std::cerr << "trf-load: --db names the region's database\n" << kUsage;
    return 2;
  }
  if (plan.desks_uri.empty()) plan.desks_uri = plan.admin_uri;
  try {
    for (const int desks : counts) {
      plan.desks = desks;
      const std::string before = LoadAverage();
      const trf::load::LoadResult result = trf::load::RunLoad(plan);
      std::cout << trf::load::Summary(result) << "; load average " << before << " before, " << LoadAverage() << " after"
                << std::endl;
    }
    return 0;
  } catch (const kw::Error& error) {
    std::cerr << "trf-load: " << trf::SentenceOf(error) << "\n";
  } catch (const std::exception& error) {
    std::cerr << "trf-load: " << error.what() << "\n";
  }
  return 1;
}
