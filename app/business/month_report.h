// MonthReport: the report of one home month as data, the same for every writer (PDF, JSON, CSV),
// every front end and every tool: the home, the month and its status, whether the month passes, each
// record screen's records as a table (each cell as a person reads it and as the value it stands
// for), the notes with their formatting, the questions a person accepted, what still stands in the
// way, who made the report and when, and for a filed month the facts of its filing. A filed month's
// report is the one stored with its filing (see MonthService); any other is a draft.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/business/problem.h"
#include "app/data/moment_text.h"
#include "app/data/table_description.h"
#include "ui_shared/platform/variant.h"

namespace trf {

// The status a month record stores.
enum MonthStatus : uint8_t { kMonthNotStarted = 0, kMonthActive = 1, kMonthClosed = 2 };

// A month's stored status in words: "not started", "active" or "closed" (a closed month with a filing
// in force is filed: see MonthService::StatusText).
std::string MonthStatusText(int32_t status);

// One column of a report table, from its table's description.
struct ReportColumn {
  std::string name;     // the column's name: "H_ResidentName"
  std::string caption;  // what a person reads for it: "Resident name"
  ColumnKind kind = ColumnKind::kText;
};

// One cell: as a person reads it (a lookup by its name, a date as 3/5/2004, an amount as 7,800.00;
// "" for nothing), and the value it stands for (a number, a date serial, a text; null for nothing),
// which a program reads without parsing the shown text back.
struct ReportCell {
  std::string text;
  kw::Variant value = kw::Variant::Null();
};

// One record of a table: its key and its cells, one per column.
struct ReportRow {
  std::string key;
  std::vector<ReportCell> cells;
};

// The records of one record screen.
struct ReportTable {
  std::string name;   // the screen's short name, which also names the table's CSV file: "residents"
  std::string title;  // the screen's title: "Residents"
  std::vector<ReportColumn> columns;
  std::vector<ReportRow> rows;
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

// A question a person accepted, with who accepted it and when (from the change record; empty when
// the acceptance is not stored yet).
struct AcceptedQuestion {
  Problem question;
  std::string accepted_by = {};
  std::string accepted_at = {};
};

// The facts of a filing, stamped by the engine: who filed the month and when (UTC, "2026-12-06
// 19:05:45"), the SHA-256 of the report as it was stored, and the digest of the home's change
// record at filing, which whoever keeps the report can later hold against the record.
struct FilingFacts {
  std::string filed_by;
  std::string filed_at;
  std::string report_digest;
  std::string chain_digest;
};

struct MonthReport {
  std::string home_number;  // "H-101"
  std::string home_name;    // "Maple House"
  int year = 0;
  int month = 0;         // 1 to 12
  std::string trf_type;  // the TRF type's description: "Standard monthly report"
  int32_t status = 0;    // the month's stored status (MonthStatus)
  // No broken hard rule and no unsettled question stands in the way: the month may be filed.
  bool passes = false;
  // The report as it is filed (or is being filed): not a draft.
  bool filed = false;
  std::vector<ReportTable> tables;
  std::vector<ReportParagraph> notes;  // none when the month has no notes
  std::vector<AcceptedQuestion> accepted;
  std::vector<Problem> standing;      // the hard rules and unsettled questions that stand in the way
  std::string made_by;                // the login name of the person who made the report
  double made_at = 0;                 // when, as a date serial from the platform's clock
  std::optional<FilingFacts> filing;  // for a filed month's report read from its filing
};

// Whether a problem list lets the month be filed: none of its entries stands in the way (a hard rule,
// or a rule's question nobody accepted; the region's questions do not).
bool Passes(const std::vector<Problem>& problems);

// The report's month as a person reads it: "March 2004".
std::string ReportMonthText(const MonthReport& report);
// A date serial as "2004-03-15T10:30:00", for files other programs read.
std::string IsoMomentText(double serial);
// A date serial's day as "2004-03-15".
std::string IsoDateText(double serial);

}  // namespace trf
