// trf-make-region: fills an empty database with a region's data, N homes by M months, through
// COPY (tools/make-region runs it on a throwaway cluster of its own).
#include <charconv>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string_view>

#include "app/data/database.h"
#include "app/region/region_maker.h"

namespace {

constexpr const char* kUsage =
    "usage: trf-make-region --db URI [--homes N] [--months M] [--seed S] [--first yyyy-mm] [--desk-prefix P]\n"
    "  fills the empty database at URI (as a superuser, its administrator) with N homes (5000) that have\n"
    "  each worked M months (24: all filed but the last, which is active), their desks' login roles\n"
    "  (P_h00001, 'desk' by default) and the change record of all of it; the same seed makes the same region.\n";

// The whole number `text` holds, when it holds nothing else.
std::optional<long long> Whole(std::string_view text) {
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Reads the options into `uri` and `shape`; a sentence saying what is wrong, or nothing.
std::optional<std::string> Parse(int argc, char** argv, std::string& uri, trf::region::RegionShape& shape) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view option = argv[i];
    if (i + 1 >= argc) return "option " + std::string(option) + " wants a value";
    const std::string_view value = argv[++i];
    const std::optional<long long> number = Whole(value);
    if (option == "--db") {
      uri = value;
    } else if (option == "--desk-prefix") {
      shape.desk_prefix = value;
    } else if (option == "--first" && value.size() == 7 && value[4] == '-' && Whole(value.substr(0, 4)) &&
               Whole(value.substr(5))) {
      shape.first_year = static_cast<int>(*Whole(value.substr(0, 4)));
      shape.first_month = static_cast<int>(*Whole(value.substr(5)));
      if (shape.first_month < 1 || shape.first_month > 12) return "--first names a month from 01 to 12";
    } else if (number && *number > 0 && option == "--homes" && *number <= 99999) {
      shape.homes = static_cast<int>(*number);
    } else if (number && *number > 0 && option == "--months" && *number <= 600) {
      shape.months = static_cast<int>(*number);
    } else if (number && option == "--seed") {
      shape.seed = static_cast<uint64_t>(*number);
    } else {
      return "option " + std::string(option) + " does not take " + std::string(value);
    }
  }
  if (uri.empty()) return "--db names the database to fill";
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  std::string uri;
  trf::region::RegionShape shape;
  if (argc == 2 && std::string_view(argv[1]) == "--help") {
    std::cout << kUsage;
    return 0;
  }
  if (const auto problem = Parse(argc, argv, uri, shape)) {
    std::cerr << "trf-make-region: " << *problem << "\n" << kUsage;
    return 2;
  }
  try {
    const trf::region::RegionCounts made = trf::region::MakeRegion(uri, shape, &std::cout);
    std::cout << "made: " << made.homes << " homes, " << made.desks << " desks, " << made.months << " months ("
              << made.filings << " filings, " << made.reopened << " reopened and filed again), " << made.residents
              << " residents' rows, " << made.family_groups << " family groups, " << made.expenses << " expenses, "
              << made.notes << " months' notes, " << made.changes << " changes on record\n";
    return 0;
  } catch (const kw::Error& error) {
    std::cerr << "trf-make-region: " << trf::SentenceOf(error) << "\n";
  } catch (const std::exception& error) {
    std::cerr << "trf-make-region: " << error.what() << "\n";
  }
  return 1;
}
