// MonthService: what a month is, said once. Choosing a home and its month by their keys, the month's
// status in words, filing it (with its report as it then stands) and reopening it for a reason, the
// month's report (a filed month's as it was filed, any other as it stands now), and whether the live
// data still match a filing. The screens, both front ends and `trf-report` ask it; nothing reaches a
// month by reading what a screen shows.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/business/month_report.h"
#include "app/data/database.h"
#include "app/data/month_filing.h"
#include "app/data/region_questions.h"

namespace trf {

// What the month service needs from whoever shows the current month's records (the screens): the
// problems that stand between the month and its filing, every rule checked and nobody asked, and
// each sheet's part of the month's report.
class MonthSheets {
 public:
  virtual ~MonthSheets() = default;
  virtual std::vector<Problem> Problems() = 0;
  virtual void AddToReport(MonthReport& report) = 0;
};

// A home to choose.
struct HomeChoice {
  int64_t key = 0;
  std::string number;  // "H-101"
  std::string name;    // "Maple House"
};

// A month record to choose, with what it stands at.
struct MonthChoice {
  int64_t key = 0;
  int64_t home = 0;
  int year = 0;
  int month = 0;         // 1 to 12
  double date = 0;       // the month's date serial, as stored
  std::string trf_type;  // the code of its TRF type: "STD"
  int32_t status = kMonthNotStarted;
};

// How a month stands: its record, the filing in force (filed and not reopened) and the latest
// reopening, with who, when and why.
struct MonthStanding {
  MonthChoice month;
  std::optional<Filing> filing;
  std::string reopened_by, reopened_at, reopen_reason;  // empty when never reopened
};

class MonthService {
 public:
  explicit MonthService(std::shared_ptr<Database> database);

  std::vector<HomeChoice> Homes() const;
  std::vector<MonthChoice> MonthsOf(int64_t home) const;
  // The home numbered `number`; a sentence naming the homes there are when there is none.
  HomeChoice HomeNumbered(const std::string& number) const;
  // `home`'s month of `year` and `month`; a sentence naming its months when it has none.
  MonthChoice MonthOf(const HomeChoice& home, int year, int month) const;

  MonthStanding Standing(int64_t month) const;
  // The month's status in words: "not started", "active", "closed", "filed by maple on March 31,
  // 2004, 10:00 UTC", or "reopened by birch on April 2, 2004, 09:15 UTC: the fee of Paul Moreau was
  // wrong".
  static std::string StatusText(const MonthStanding& standing);

  // The report of `month` as the sheets hold it now, made by `made_by` at the clock's time. The
  // sheets must be on that month.
  MonthReport LiveReport(int64_t month, MonthSheets& sheets, const std::string& made_by) const;
  // The report as it was filed, with the facts of the filing; nothing while the month is not filed,
  // or was filed before reports were kept with their filing.
  std::optional<MonthReport> FiledReport(int64_t month) const;
  // The filed report when the month is filed, the live one otherwise.
  MonthReport Report(int64_t month, MonthSheets& sheets, const std::string& made_by) const;

  // Starts the not-started `month`: active, with an expense line for each category of its TRF type
  // (see StartMonth). A sentence when it is not waiting to be started.
  void Start(int64_t month);
  // Files `month` with its report as the sheets hold it: closed and locked in the name of whoever
  // works at this desk. A sentence when it does not pass, is filed already, or the database refused.
  void File(int64_t month, MonthSheets& sheets, const std::string& made_by);
  // Reopens the filed `month` for `reason`, kept on record with who and when; it is active again. A
  // sentence when it is not filed or the reason is blank.
  void Reopen(int64_t month, const std::string& reason);

  // Where the live data of `month` differ from its filing, one sentence per field; empty when they
  // match. A sentence when the month is not filed (or its filing keeps no report).
  std::vector<std::string> DifferencesFromFiling(int64_t month, MonthSheets& sheets) const;

  // The region's open questions on `month`, with their replies; none on a file, which the region
  // does not reach.
  std::vector<RegionQuestion> Questions(int64_t month) const;
  // Replies `text` to the region's question `number` in the name of whoever works at this desk; a
  // sentence when the question is not one of this desk's months, is closed, or the text is blank.
  void Reply(int64_t number, const std::string& text);

 private:
  std::shared_ptr<Database> database_;
};

// Where `live` differs from `filed`, one sentence per field, record or paragraph.
std::vector<std::string> ReportDifferences(const MonthReport& filed, const MonthReport& live);
// What a comparison with the filing found, in one sentence: "The live data match the filing." or
// "2 fields differ from the filing."
std::string DifferencesSummary(const std::vector<std::string>& differences);

}  // namespace trf
