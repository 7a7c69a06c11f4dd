// trf-region: the region's side of the TRF, on a server database: the homes by months with each
// month's state and whether its filing verifies, questions on filed months and every step taken on
// them, filed months imported from homes that work on a file, the region's month as one file, and the
// months seen over time as a chart.
#include <QApplication>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/business/filed_month_file.h"
#include "app/business/question_history.h"
#include "app/business/question_subject.h"
#include "app/business/region_export.h"
#include "app/business/region_figures.h"
#include "app/business/rules.h"
#include "app/data/connection_text.h"
#include "app/data/region_questions.h"
#include "app/data/trf_database.h"
#include "app/region_charts/figures_chart.h"
#include "app/region_tool/region_options.h"
#include "app/report_pdf/report_pdf.h"
#include "app/siblings/program.h"

namespace trf {
namespace {

// How many months before a chart's first its homes' figures are read, to hold each against its year.
constexpr int kHistoryMonths = 12;

// A refusal of this program's own: a sentence for stderr, exit status 2.
struct Refusal {
  std::string sentence;
};

void Write(const std::string& path, const std::string& content) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << content;
  if (!file.flush()) throw Refusal{"the file " + path + " cannot be written"};
}

std::string Joined(const std::vector<std::string>& words, size_t from) {
  std::string text;
  for (size_t i = from; i < words.size(); ++i) text += (i > from ? " " : "") + words[i];
  return text;
}

std::string MonthWords(const YearMonth& month) { return MonthYearText(month.year, month.month); }

// Why a filing in force does not verify, in a sentence; "" when it does.
std::string Finding(const GridHome& home, const YearMonth& month, const GridCell& cell) {
  std::string what;
  if (cell.digest_holds == false) what = "the filed report does not match its digest: it was changed after filing";
  if (cell.chain_holds == false) {
    what += (what.empty() ? "" : "; ") + std::string("the change record of ") + home.number +
            " no longer holds the digest this filing recorded: a change up to the filing was changed or removed";
  }
  return what.empty() ? "" : home.number + " " + month.Text() + ": " + what + ".";
}

// status: the homes by months, the open questions, and every filing that does not verify.
int Status(Database& database, const RegionOptions& options) {
  const RegionGrid grid = ReadRegionGrid(database, options.range);
  if (options.csv) Write(*options.csv, RegionGridCsv(grid));
  size_t width = 8;
  for (const auto& row : grid.cells)
    for (const GridCell& cell : row) width = std::max(width, MonthStateText(cell.state).size() + 3);
  size_t name_width = 4;
  for (const GridHome& home : grid.homes) name_width = std::max(name_width, home.number.size() + home.name.size() + 3);
  const auto padded = [](const std::string& text, size_t to) {
    return text.size() < to ? text + std::string(to - text.size(), ' ') : text;
  };
  std::string header = padded("home", name_width);
  for (const YearMonth& month : grid.months) header += padded(month.Text(), width);
  std::cout << header << "\n";
  std::vector<std::string> findings, asked;
  int filed = 0;
  for (size_t h = 0; h < grid.homes.size(); ++h) {
    const GridHome& home = grid.homes[h];
    std::string line = padded(home.number + " " + home.name, name_width);
    for (size_t m = 0; m < grid.months.size(); ++m) {
      const GridCell& cell = grid.Cell(h, m);
      const bool unverified = cell.InForce() && !cell.Verifies();
      line += padded(MonthStateText(cell.state) + (unverified ? " !" : ""), width);
      if (cell.InForce()) ++filed;
      if (unverified) findings.push_back(Finding(home, grid.months[m], cell));
      if (cell.open_questions > 0) {
        asked.push_back(home.number + " " + grid.months[m].Text() + ": " + std::to_string(cell.open_questions) +
                        (cell.open_questions == 1 ? " open question" : " open questions"));
      }
    }
    std::cout << line << "\n";
  }
  if (grid.homes.empty())
    std::cout << "(no home to show: the administrator grants reviews with trf --admin grant-review)\n";
  for (const std::string& line : asked) std::cout << line << "\n";
  for (const std::string& finding : findings) std::cout << "! " << finding << "\n";
  std::cout << filed << (filed == 1 ? " filing" : " filings") << " in force: "
            << (findings.empty() ? "each verifies (its report against its digest, its chain digest on its home's chain)"
                                 : std::to_string(findings.size()) + " of them do not verify (marked !)")
            << "\n";
  return findings.empty() ? 0 : 1;
}

// The cell of home `number` in `month`, read on its own.
std::pair<RegionGrid, const GridCell*> CellOf(Database& database, const std::string& number, const YearMonth& month) {
  RegionGrid grid = ReadRegionGrid(database, GridRange{"", month, month});
  if (!grid.HomeNumbered(number)) throw Refusal{"there is no home " + number + " among the homes this role may read"};
  const GridCell* cell = grid.CellOf(number, month);
  return {std::move(grid), cell};
}

// query HOME yyyy-mm TEXT: a question on a filed month, about a record and field of its report.
int Query(Database& database, const RegionOptions& options) {
  const std::string& number = options.words[0];
  const std::optional<YearMonth> month = ReadYearMonth(options.words[1]);
  if (!month) throw Refusal{"a month is written yyyy-mm (2004-03), not \"" + options.words[1] + "\""};
  const auto [grid, cell] = CellOf(database, number, *month);
  if (!cell->InForce()) {
    throw Refusal{MonthWords(*month) + " of " + number + " is " + MonthStateText(cell->state) +
                  ": a question is asked about a filed month"};
  }
  if (cell->imported) {
    throw Refusal{MonthWords(*month) + " of " + number +
                  " was filed on the home's own file and imported: a question cannot reach its desk here; ask the "
                  "home directly"};
  }
  const std::optional<RegionFiling> filing = ReadCellFiling(database, *grid.HomeNumbered(number), *month, *cell);
  const MonthReport report = filing->Report();
  const QuestionSubject subject = SubjectIn(report, options.record.value_or(""), options.field.value_or(""));
  const int64_t asked = AskQuestion(database, cell->month_id, subject, Joined(options.words, 2));
  std::cout << "question " << asked << " asked on " << MonthWords(*month) << " of " << number << " ("
            << SubjectText(subject, &report) << "); the home sees it among the month's problems\n";
  return 0;
}

int Close(Database& database, const RegionOptions& options) {
  int64_t number = 0;
  try {
    number = std::stoll(options.words[0]);
  } catch (const std::exception&) {
    throw Refusal{"close takes a question's number, not \"" + options.words[0] + "\""};
  }
  CloseQuestion(database, number, Joined(options.words, 1));
  std::cout << "question " << number << " closed\n";
  return 0;
}

// questions: each question with every step taken on it.
int Questions(Database& database, const RegionOptions& options) {
  const RegionGrid homes = ReadRegionGrid(database, GridRange{options.range.region, std::nullopt, std::nullopt});
  int shown = 0;
  for (const RegionQuestion& question : ReadQuestions(database, 0, options.open_only)) {
    if (!homes.HomeNumbered(question.home_number)) continue;
    ++shown;
    std::cout << "question " << question.number << " on " << question.home_number << " "
              << MonthWords(YearMonthOf(question.month)) << ", " << SubjectText(question.subject) << ": "
              << (question.Open() ? (question.replies.empty() ? "open" : "open, answered") : "closed") << "\n";
    for (const QuestionStep& step : QuestionHistory(database, question))
      std::cout << "  " << StampText(step.when) << ", " << step.who << " " << step.what << "\n";
  }
  if (shown == 0) std::cout << (options.open_only ? "no question is open\n" : "no question was asked\n");
  return 0;
}

// import FILE...: each file checked and, when it verifies, added to the grid as filed.
int Import(Database& database, const RegionOptions& options) {
  int status = 0;
  for (const std::string& path : options.words) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw Refusal{"the file " + path + " cannot be read"};
    std::stringstream text;
    text << file.rdbuf();
    try {
      const FiledMonthFile filed = VerifyFiledMonthFile(text.str(), path);
      ImportFiledMonth(database, filed);
      std::cout << path << ": " << filed.report.home_number << " " << ReportMonthText(filed.report) << ", filed by "
                << filed.report.filing->filed_by << " on " << StampText(filed.report.filing->filed_at)
                << ": its report matches its digest " << filed.report.filing->report_digest
                << "; imported, and on the grid as filed\n";
    } catch (const kw::Error& error) {
      std::cerr << "trf-region: " << SentenceOf(error) << "\n";
      status = 1;
    }
  }
  return status;
}

int Export(Database& database, const RegionOptions& options) {
  const RegionMonth month =
      ReadRegionMonth(database, *ReadYearMonth(*options.month), options.range.region, LoginName());
  Write(*options.json, RegionMonthJson(month));
  if (options.csv) {
    std::filesystem::create_directories(*options.csv);
    for (const auto& [name, content] : RegionMonthCsv(month))
      Write((std::filesystem::path(*options.csv) / name).string(), content);
  }
  std::cout << MonthWords(month.month) << ": " << month.grid.homes.size() << " homes, " << month.filings.size()
            << " filed, written to " << *options.json << (options.csv ? " and " + *options.csv : "") << "\n";
  return 0;
}

// chart: the figures month by month, what moved far, and the chart as a picture and CSV.
int Chart(Database& database, const RegionOptions& options, char* program) {
  GridRange range = options.range;
  if (range.from) {
    const int first = range.from->year * 12 + range.from->month - 1 - kHistoryMonths;
    range.from = YearMonth{first / 12, first % 12 + 1};
  }
  const RegionGrid grid = ReadRegionGrid(database, range);
  std::vector<std::string> numbers;
  std::string title = options.region ? "Region " + *options.region : "Every home";
  if (options.home) {
    const GridHome* home = grid.HomeNumbered(*options.home);
    if (!home) throw Refusal{"there is no home " + *options.home + " among the homes this role may read"};
    numbers.push_back(home->number);
    title = home->number + " " + home->name;
  }
  std::vector<YearMonth> months;
  for (const YearMonth& month : grid.months)
    if (!options.range.from || month >= *options.range.from) months.push_back(month);
  const FigureSeries series = SeriesOf(title, months, ReadRegionFilings(database, grid, numbers));
  std::cout << series.title << ": month, homes filed, residents, fees total, expenses total\n";
  for (const FigureMonth& month : series.months) {
    std::cout << month.month.Text() << "  " << month.filed << "  " << month.figures.residents << "  "
              << AmountText(month.figures.fees) << "  " << AmountText(month.figures.expenses)
              << (month.far.empty() ? "" : "  far") << "\n";
    for (const std::string& far : month.far) std::cout << "  far: " << far << "\n";
  }
  if (options.csv) Write(*options.csv, FigureSeriesCsv(series));
  if (options.png) {
    HeadlessGuiPlatform();
    int argc = 1;
    QApplication app(argc, &program);
    if (!WriteFiguresPng(series, *options.png)) throw Refusal{"the picture " + *options.png + " cannot be written"};
  }
  return 0;
}

int Run(const RegionOptions& options, char* program) {
  const std::string db = *options.app.Database();
  if (!IsServerLocation(db)) throw Refusal{"the region works on a server database: --db postgresql://..."};
  auto database = OpenServerTrfDatabase(db, Access::kReadWrite, Seed::kEmpty);
  for (const std::string& notice : database->TakeNotices()) std::cerr << "trf-region: note: " << notice << "\n";
  if (options.command == "status") return Status(*database, options);
  if (options.command == "query") return Query(*database, options);
  if (options.command == "close") return Close(*database, options);
  if (options.command == "questions") return Questions(*database, options);
  if (options.command == "import") return Import(*database, options);
  if (options.command == "export") return Export(*database, options);
  return Chart(*database, options, program);
}

}  // namespace
}  // namespace trf

int main(int argc, char** argv) {
  trf::RegionOptions options;
  std::string usage;
  if (const auto problem = trf::ParseRegionOptions({argv + 1, argv + argc}, std::getenv("TRF_DB"), options, usage)) {
    std::cerr << "trf-region: " << *problem << "\n" << usage;
    return 2;
  }
  if (options.app.help) {
    std::cout << usage;
    return 0;
  }
  return trf::RunProgram("trf-region", 2, [&] {
    try {
      return trf::Run(options, argv[0]);
    } catch (const trf::Refusal& refusal) {
      std::cerr << "trf-region: " << refusal.sentence << "\n";
      return 2;
    }
  });
}
