// Reading the options of `trf-report`.
#include "app/report_tool/report_options.h"

#include <charconv>

namespace trf {

const char* const kReportUsage =
    "usage: trf-report --db DB --home NUMBER --month YYYY-MM [--pdf FILE] [--json FILE] [--csv FOLDER]\n"
    "  --db DB          the database: a file of trf, or postgresql://user@host/dbname\n"
    "  --home NUMBER    the home by its number, as on Our Home: H-101\n"
    "  --month YYYY-MM  the month: 2004-03\n"
    "  --pdf FILE       write the report as a PDF (A4, or Letter where the locale measures in inches)\n"
    "  --json FILE      write the report as JSON (its schema: docs/month-report.schema.json)\n"
    "  --csv FOLDER     write each table of the report as FOLDER/<table>.csv\n"
    "  --help           this text\n"
    "The exit status is 0 when the month passes its checks (the report is final), 1 when it does not\n"
    "(the files are written all the same, each marked as a draft), 2 when the options are wrong or\n"
    "the report could not be made or written.\n";

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

std::optional<std::string> ParseReportOptions(const std::vector<std::string>& args, ReportOptions& options) {
  std::optional<std::string> month;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      continue;
    }
    std::optional<std::string>* target = arg == "--pdf"     ? &options.pdf
                                         : arg == "--json"  ? &options.json
                                         : arg == "--csv"   ? &options.csv
                                         : arg == "--month" ? &month
                                                            : nullptr;
    std::string* text = arg == "--db" ? &options.db : arg == "--home" ? &options.home : nullptr;
    if (!target && !text) return "unknown option \"" + arg + "\"";
    if (i + 1 >= args.size() || args[i + 1].empty()) return arg + " needs a value";
    if (target) *target = args[++i];
    if (text) *text = args[++i];
  }
  if (options.help) return std::nullopt;
  if (options.db.empty()) return "--db is missing: name the database";
  if (options.home.empty()) return "--home is missing: name the home by its number";
  if (!month) return "--month is missing: name the month as yyyy-mm";
  if (!ReadMonth(*month, options.year, options.month))
    return "--month takes a month as yyyy-mm (2004-03), not \"" + *month + "\"";
  return std::nullopt;
}

}  // namespace trf
