// Reading the options of `trf-region`: the command and its words first taken out, the options then
// read by the programs' shared parser.
#include "app/region_tool/region_options.h"

#include <algorithm>
#include <set>

namespace trf {

namespace {

// What each command takes, for the usage text and to check the words given: a command that takes
// words takes at least `least_words`; one whose least is 0 takes none.
struct CommandUse {
  const char* name;
  const char* synopsis;
  size_t least_words;
};
constexpr CommandUse kCommands[] = {
    {"status", "status [--region R] [--from yyyy-mm] [--to yyyy-mm] [--csv FILE]: the homes by months", 0},
    {"query", "query HOME yyyy-mm [--record TEXT] [--field CAPTION] TEXT: ask about a filed month", 3},
    {"close", "close N TEXT: close question N, saying why", 2},
    {"questions", "questions [--region R] [--open]: the questions with every step taken on them", 0},
    {"import", "import FILE...: add filed months that homes on a file sent (their report's JSON)", 1},
    {"export", "export --month yyyy-mm --json FILE [--csv FOLDER] [--region R]: the region's month as one file", 0},
    {"chart",
     "chart [--home H | --region R] [--from yyyy-mm] [--to yyyy-mm] [--png FILE] [--csv FILE]: residents, "
     "fees and expenses month by month",
     0},
};

}  // namespace

std::optional<std::string> ParseRegionOptions(const std::vector<std::string>& args, const char* environment_db,
                                              RegionOptions& options, std::string& usage) {
  OptionsParser parser("trf-region COMMAND", "the database TRF_DB names (a server's)");
  parser.Value("--region", "R", "the homes of region R only (status, questions, export, chart)", options.region);
  parser.Value("--from", "YYYY-MM", "the first month shown (status, chart)", options.from);
  parser.Value("--to", "YYYY-MM", "the last month shown (status, chart)", options.to);
  parser.Value("--csv", "FILE|FOLDER", "also write CSV: a file (status, chart), a folder (export)", options.csv);
  parser.Value("--json", "FILE", "write the region's month as JSON (export; docs/region-month.schema.json)",
               options.json);
  parser.Value("--png", "FILE", "write the chart as a PNG picture (chart)", options.png);
  parser.Value("--month", "YYYY-MM", "the month exported (export)", options.month);
  parser.Value("--home", "NUMBER", "one home's months (chart)", options.home);
  parser.Value("--record", "TEXT", "the record asked about, by its name or key (query)", options.record);
  parser.Value("--field", "CAPTION", "the field asked about, by its caption (query)", options.field);
  parser.Flag("--open", "the open questions only (questions)", options.open_only);
  usage = parser.Usage() + "Commands:\n";
  for (const CommandUse& command : kCommands) usage += "  trf-region " + std::string(command.synopsis) + "\n";
  usage +=
      "The region reads filed months only: a reviewer (trf --admin grant-review) sees the homes it was granted and "
      "their\nfilings, never a month that is not filed. Exit status 0 when the command did what it says, 1 when a "
      "filing does\nnot verify (status, import), 2 when the options are wrong or the database refused.\n";
  // The command's words are the arguments that are neither an option nor an option's value.
  static const std::set<std::string> kValued = {"--db",  "--region", "--from", "--to",     "--csv",  "--json",
                                                "--png", "--month",  "--home", "--record", "--field"};
  std::vector<std::string> options_only;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i].starts_with("-")) {
      options_only.push_back(args[i]);
      if (kValued.contains(args[i]) && i + 1 < args.size()) options_only.push_back(args[++i]);
    } else if (options.command.empty()) {
      options.command = args[i];
    } else {
      options.words.push_back(args[i]);
    }
  }
  if (auto problem = parser.Parse(options_only, environment_db, options.app)) return problem;
  if (options.app.help) return std::nullopt;
  if (options.command.empty()) return "no command is given: status, query, close, questions, import, export or chart";
  const auto* const use =
      std::ranges::find_if(kCommands, [&](const CommandUse& c) { return options.command == c.name; });
  if (use == std::end(kCommands)) return "there is no command \"" + options.command + "\"";
  if (options.words.size() < use->least_words || (use->least_words == 0 && !options.words.empty()))
    return std::string("usage: trf-region ") + use->synopsis;
  if (!options.app.Database()) return "no database is named: give --db, or set TRF_DB";
  for (const auto& [given, target] :
       {std::pair{&options.from, &options.range.from}, {&options.to, &options.range.to}}) {
    if (!*given) continue;
    *target = ReadYearMonth(**given);
    if (!*target) return "a month is written yyyy-mm (2004-03), not \"" + **given + "\"";
  }
  if (options.month && !ReadYearMonth(*options.month))
    return "--month takes a month as yyyy-mm (2004-03), not \"" + *options.month + "\"";
  if (options.command == "export" && (!options.month || !options.json))
    return "export takes --month yyyy-mm and --json FILE";
  if (options.command == "chart" && options.home && options.region) return "chart takes --home or --region, not both";
  options.range.region = options.region.value_or("");
  return std::nullopt;
}

}  // namespace trf
