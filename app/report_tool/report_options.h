// The options of `trf-report`, read by hand in one small place (the programs share no options parser
// yet): the database, the home by its number, the month as yyyy-mm, and the files to write.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace trf {

struct ReportOptions {
  std::string db;    // --db: a database file, or a server URI
  std::string home;  // --home: the home's number, "H-101"
  int year = 0;      // --month yyyy-mm
  int month = 0;
  std::optional<std::string> pdf;   // --pdf FILE
  std::optional<std::string> json;  // --json FILE
  std::optional<std::string> csv;   // --csv FOLDER
  bool help = false;                // --help or -h
};

// The usage text.
extern const char* const kReportUsage;

// Reads the arguments (without the program's name) into `options`; what is wrong with them in
// words, or nothing. --db, --home and --month must be given (unless --help is).
std::optional<std::string> ParseReportOptions(const std::vector<std::string>& args, ReportOptions& options);

}  // namespace trf
