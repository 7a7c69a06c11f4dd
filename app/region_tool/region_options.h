// The options of `trf-region`: a command and its words, the database through the programs' shared
// options (--db, or TRF_DB), and each command's own options.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/business/region_grid.h"
#include "app/siblings/app_options.h"

namespace trf {

struct RegionOptions {
  AppOptions app;
  std::string command;             // status, query, close, questions, import, export, chart
  std::vector<std::string> words;  // the command's words, in order
  std::optional<std::string> region, from, to, csv, json, png, month, home, record, field;
  bool open_only = false;  // questions --open
  GridRange range;         // --region, --from and --to read
};

// Reads the arguments (without the program's name) into `options`, TRF_DB from `environment_db`
// (nullptr when unset), and the usage text into `usage`; what is wrong with them in words, or nothing.
std::optional<std::string> ParseRegionOptions(const std::vector<std::string>& args, const char* environment_db,
                                              RegionOptions& options, std::string& usage);

}  // namespace trf
