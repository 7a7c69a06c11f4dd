// Checking a filed month's file and importing it.
#include "app/business/filed_month_file.h"

#include <algorithm>

#include "app/business/json_schema.h"
#include "app/business/json_value.h"
#include "app/business/month_report_json.h"
#include "app/data/sha256.h"
#include "app/data/transaction.h"

namespace trf {

namespace {

constexpr const char* kSchema = "month-report.schema.json";

// The line and column of byte `at` of `text`, as "line 4, column 17".
std::string Where(std::string_view text, size_t at) {
  const size_t line =
      static_cast<size_t>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
  const size_t start = text.rfind('\n', at == 0 ? 0 : at - 1);
  const size_t column = start == std::string_view::npos || at == 0 ? at : at - start - 1;
  return "line " + std::to_string(line + 1) + ", column " + std::to_string(column + 1);
}

}  // namespace

FiledMonthFile VerifyFiledMonthFile(std::string_view text, const std::string& name) {
  const auto refuse = [&name](const std::string& why) {
    RaiseDataError(kDatabaseError, name + " does not verify: " + why + " It was not imported.");
  };
  FiledMonthFile file;
  try {
    const JsonValue document = ParseJson(text);
    if (const std::optional<std::string> why = PublishedSchemas().Check(document, kSchema))
      refuse("it does not follow the month's report schema (docs/" + std::string(kSchema) + ") at " + *why + ".");
    file.report = MonthReportFromJson(text);
  } catch (const JsonError& error) {
    refuse("it is not a month's report. " + error.sentence);
  }
  if (!file.report.filed || !file.report.filing) {
    refuse(
        "it is a draft, not a filed month: only the report of a filed month, as its home's program writes it, is "
        "taken.");
  }
  const std::string written = MonthReportJson(file.report);
  if (written != text) {
    const auto differ = std::mismatch(written.begin(), written.end(), text.begin(), text.end());
    refuse("it is not as the home's program wrote it: it differs at " +
           Where(text, static_cast<size_t>(differ.second - text.begin())) + ".");
  }
  MonthReport stored = file.report;
  stored.filing.reset();
  file.stored = MonthReportJson(stored);
  const std::string digest = Sha256Hex(file.stored);
  if (digest != file.report.filing->report_digest) {
    refuse("its report does not match the digest of its filing (" + file.report.filing->report_digest +
           "; its content hashes to " + digest + "): it was changed after it was filed.");
  }
  return file;
}

void ImportFiledMonth(Database& database, const FiledMonthFile& file) {
  const MonthReport& report = file.report;
  Transaction transaction(database);
  auto home = database.Prepare("SELECT H_HomesID FROM tbH_Homes WHERE H_HomeNum = ?");
  home->Bind(1, kw::Variant::Text(report.home_number));
  if (!home->Step()) {
    RaiseDataError(kDatabaseError, "There is no home " + report.home_number +
                                       " among the homes this reviewer reviews: the administrator adds the home and "
                                       "grants its review first.");
  }
  const kw::Variant key = home->Column(0);
  home.reset();
  auto insert = database.Prepare(
      "INSERT INTO tbR_ImportedFilings (H_HomesID, H_StatMonth, H_Report, H_ReportDigest, H_ChainDigest, H_FiledBy, "
      "H_FiledAt) VALUES (?, ?, ?, ?, ?, ?, ?)");
  const FilingFacts& facts = *report.filing;
  insert->Bind(1, key)
      .Bind(2, kw::Variant::Double(YearMonth{report.year, report.month}.Serial()))
      .Bind(3, kw::Variant::Text(file.stored))
      .Bind(4, kw::Variant::Text(facts.report_digest))
      .Bind(5, facts.chain_digest.empty() ? kw::Variant::Null() : kw::Variant::Text(facts.chain_digest))
      .Bind(6, kw::Variant::Text(facts.filed_by))
      .Bind(7, kw::Variant::Text(facts.filed_at))
      .Step();
  insert.reset();
  transaction.Commit();
}

}  // namespace trf
