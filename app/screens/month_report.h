// MonthReport: the report of one home month as data, the same for every writer (PDF, JSON, CSV)
// and every front end: the home, the month and its status, whether the month passes, each record
// screen's records as a table, the notes with their formatting, the questions a person accepted,
// what still stands in the way, and who made the report and when. BuildMonthReport gathers it from
// the screens through their host, so that it shows what the screens show.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/data/database.h"
#include "app/data/table_description.h"
#include "app/screens/problem.h"

namespace trf {

class ScreenHost;

// One column of a report table, from its table's description.
struct ReportColumn {
  std::string name;     // the column's name: "H_ResidentName"
  std::string caption;  // what a person reads for it: "Resident name"
  ColumnKind kind = ColumnKind::kText;
};

// The records of one record screen: one row per record, each cell as a person reads it (a lookup
// by its name, a date as 3/5/2004, an amount as 7,800.00; "" for nothing).
struct ReportTable {
  std::string name;   // the screen's short name, which also names the table's CSV file: "residents"
  std::string title;  // the screen's title: "Residents"
  std::vector<ReportColumn> columns;
  std::vector<std::vector<std::string>> rows;
};

// Characters of a paragraph of the notes that share one format.
struct ReportRun {
  std::string text;  // UTF-8; "\n" is a line break inside the paragraph
  bool bold = false;
  bool italic = false;
  bool underline = false;
  uint32_t rgb = 0;  // the colour as 0xRRGGBB (system colours resolved; the automatic colour is black)
};

// How a paragraph of the notes is aligned.
enum class ReportAlignment : uint8_t { kLeft, kCenter, kRight };

// One paragraph of the notes.
struct ReportParagraph {
  ReportAlignment alignment = ReportAlignment::kLeft;
  bool bullet = false;
  std::vector<ReportRun> runs;
};

// A question a person accepted, with who accepted it and when.
struct AcceptedQuestion {
  Problem question;
  // From the stored acceptance record, once the database keeps one (see AcceptedQuestionsOf in
  // month_report.cpp); empty until then: the library's record of this session's answers tells
  // only that the question was accepted.
  std::string accepted_by = {};
  std::string accepted_at = {};
};

struct MonthReport {
  std::string home_number;  // "H-101"
  std::string home_name;    // "Maple House"
  int year = 0;
  int month = 0;         // 1 to 12
  std::string trf_type;  // the TRF type's description: "Standard monthly report"
  int32_t status = 0;    // the month's stored status: 0 not started, 1 active, 2 closed
  // No broken hard rule and no unsettled question stands in the way: the report is final. A report
  // of a month that does not pass is a draft.
  bool passes = false;
  std::vector<ReportTable> tables;
  std::vector<ReportParagraph> notes;  // none when the month has no notes
  std::vector<AcceptedQuestion> accepted;
  std::vector<Problem> standing;  // the hard rules and unsettled questions that stand in the way
  std::string filed_by;           // the login name of the person who made the report
  double filed_at = 0;            // when, as a date serial from the platform's clock
};

// Whether a problem list lets the month be filed: none of its entries is a hard rule or a question
// nobody accepted.
bool Passes(const std::vector<Problem>& problems);
// Whether the month the host is on passes: its problem list (ScreenHost::Problems) lets it be
// filed. A ScreenRefusal when the stored data refused a step of the check.
bool MonthPasses(ScreenHost& host);

// The report of the month the host's screens are on, made by `filed_by` at the clock's time: the
// problem list decides whether it passes, each screen adds what it shows (ScreenForm::AddToReport),
// and the home, month and status come from the stored month record in `database`. It shows what
// the screens hold: leave the current screen first (ScreenHost::LeaveCurrent) so that it shows
// what is stored. A ScreenRefusal when no month is current or the stored data refused a step.
MonthReport BuildMonthReport(ScreenHost& host, Database& database, const std::string& filed_by);

// The report's month as a person reads it: "March 2004".
std::string ReportMonthText(const MonthReport& report);
// A date serial as "2004-03-15T10:30:00", for files other programs read.
std::string IsoMomentText(double serial);

}  // namespace trf
