// The options of `trf-report`: the database through the programs' shared options (--db, or TRF_DB),
// the home by its number, the month as yyyy-mm, and the files to write.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/siblings/app_options.h"

namespace trf {

struct ReportOptions {
  AppOptions app;                    // the database and --help; the report only reads, so --read-only changes nothing
  std::optional<std::string> home;   // --home: the home's number, "H-101"
  std::optional<std::string> month;  // --month yyyy-mm
  std::optional<std::string> pdf;    // --pdf FILE
  std::optional<std::string> json;   // --json FILE
  std::optional<std::string> csv;    // --csv FOLDER
  bool verify = false;               // --verify: hold the live data against the month's filing
  int year = 0;                      // the month's year and number, read from --month
  int month_number = 0;
};

// Reads the arguments (without the program's name) into `options`, TRF_DB from `environment_db`
// (nullptr when unset), and the usage text into `usage`; what is wrong with them in words, or
// nothing. A database, --home and --month must be given (unless --help is).
std::optional<std::string> ParseReportOptions(const std::vector<std::string>& args, const char* environment_db,
                                              ReportOptions& options, std::string& usage);

}  // namespace trf
