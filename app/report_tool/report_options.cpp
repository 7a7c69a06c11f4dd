// Reading the options of `trf-report` with the programs' shared options parser.
#include "app/report_tool/report_options.h"

#include <charconv>

namespace trf {
namespace {

// "2004-03" as a year and a month; false for anything else.
bool ReadMonth(const std::string& text, int& year, int& month) {
  if (text.size() != 7 || text[4] != '-') return false;
  const auto number = [&](size_t from, size_t length, int& value) {
    const char* first = text.data() + from;
    const auto [end, error] = std::from_chars(first, first + length, value);
    return error == std::errc() && end == first + length;
  };
  return number(0, 4, year) && number(5, 2, month) && year >= 100 && month >= 1 && month <= 12;
}

}  // namespace

std::optional<std::string> ParseReportOptions(const std::vector<std::string>& args, const char* environment_db,
                                              ReportOptions& options, std::string& usage) {
  OptionsParser parser("trf-report", "the database TRF_DB names");
  parser.Value("--home", "NUMBER", "the home by its number, as on Our Home: H-101", options.home);
  parser.Value("--month", "YYYY-MM", "the month: 2004-03", options.month);
  parser.Value("--pdf", "FILE", "write the report as a PDF (A4, or Letter where the locale measures in inches)",
               options.pdf);
  parser.Value("--json", "FILE", "write the report as JSON (its schema: docs/month-report.schema.json)", options.json);
  parser.Value("--csv", "FOLDER",
               "write each table of the report as FOLDER/<table>.csv (<table>.draft.csv while the month is not filed)",
               options.csv);
  parser.Flag("--verify",
              "hold the live data of a filed month against its filing and list every field that differs; exit "
              "status 0 when they match, 1 when they differ",
              options.verify);
  usage = parser.Usage() +
          "The report only reads the database, which must exist. A filed month's report is the one stored with\n"
          "its filing, with the digests of the filing; any other is a draft, marked as one in every file. The\n"
          "exit status is 0 when the month is filed or passes its checks, 1 when it does not pass (the files are\n"
          "written all the same), 2 when the options are wrong or the report could not be made or written.\n";
  if (auto problem = parser.Parse(args, environment_db, options.app)) return problem;
  if (options.app.help || options.app.version) return std::nullopt;
  if (!options.app.Database()) return "no database is named: give --db, or set TRF_DB";
  if (!options.home) return "--home is missing: name the home by its number";
  if (!options.month) return "--month is missing: name the month as yyyy-mm";
  if (!ReadMonth(*options.month, options.year, options.month_number))
    return "--month takes a month as yyyy-mm (2004-03), not \"" + *options.month + "\"";
  return std::nullopt;
}

}  // namespace trf
