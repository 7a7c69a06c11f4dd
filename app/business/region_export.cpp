// Writing one month of the region as JSON and CSV.
#include "app/business/region_export.h"

#include "app/business/csv_line.h"
#include "app/business/json_schema.h"
#include "app/business/json_text.h"
#include "app/business/json_value.h"
#include "app/business/month_report_json.h"
#include "ui_shared/platform/clock.h"
#include "ui_shared/platform/service.h"

namespace trf {

namespace {

const RegionFiling* FilingOf(const RegionMonth& month, const std::string& number) {
  for (const RegionFiling& filing : month.filings)
    if (filing.home_number == number) return &filing;
  return nullptr;
}

void FilingMembers(const GridCell& cell, const RegionFiling& filing, JsonText& json) {
  json.Open('{');
  json.Name("filed_by").Text(filing.filing.filed_by);
  json.Name("filed_at").Text(filing.filing.filed_at);
  json.Name("report_digest").Text(filing.filing.report_digest);
  json.Name("chain_digest").TextOrNull(filing.filing.chain_digest);
  json.Name("imported").Flag(filing.imported);
  json.Name("digest_verifies").Flag(filing.DigestHolds());
  json.Name("chain_verifies");
  if (cell.chain_holds)
    json.Flag(*cell.chain_holds);
  else
    json.Literal("null");
  json.Close('}');
}

}  // namespace

RegionMonth ReadRegionMonth(Database& database, const YearMonth& month, const std::string& region,
                            const std::string& made_by) {
  RegionMonth read{month, region, made_by, kw::Service<kw::Clock>::Get().Now(), {}, {}};
  read.grid = ReadRegionGrid(database, GridRange{region, month, month});
  read.filings = ReadRegionFilings(database, read.grid);
  return read;
}

std::string RegionMonthJson(const RegionMonth& month) {
  JsonText json;
  json.Open('{');
  json.Name("schema").Text(kRegionMonthSchema);
  json.Name("month").Text(month.month.Text());
  json.Name("region").TextOrNull(month.region);
  json.Name("made_by").Text(month.made_by);
  json.Name("made_at").Text(IsoMomentText(month.made_at));
  json.Name("homes").Open('[');
  for (size_t h = 0; h < month.grid.homes.size(); ++h) {
    const GridHome& home = month.grid.homes[h];
    const GridCell& cell = month.grid.Cell(h, 0);
    const RegionFiling* filing = FilingOf(month, home.number);
    json.Break();
    json.Open('{');
    json.Name("number").Text(home.number);
    json.Name("name").Text(home.name);
    json.Name("region").Text(home.region);
    json.Name("state").Text(MonthStateText(cell.state));
    json.Name("open_questions").Number(cell.open_questions);
    json.Name("filing");
    if (filing)
      FilingMembers(cell, *filing, json);
    else
      json.Literal("null");
    json.Name("report");
    if (filing) {
      std::string report = MonthReportJson(filing->Report());
      report.pop_back();  // its line break
      json.Literal(report);
    } else {
      json.Literal("null");
    }
    json.Close('}');
  }
  json.Close(']');
  json.Close('}');
  json.Break();
  if (const std::optional<std::string> why =
          PublishedSchemas().Check(ParseJson(json.Out()), "region-month.schema.json"))
    RaiseDataError(kDatabaseError, "The region's month came out unlike its published schema, at " + *why + ".");
  return std::move(json.Out());
}

std::map<std::string, std::string> RegionMonthCsv(const RegionMonth& month) {
  std::map<std::string, std::string> files;
  std::string& homes = files["homes.csv"];
  AppendCsvLine({"home", "home_name", "region", "month", "state", "filed_by", "filed_at", "report_digest",
                 "digest_verifies", "chain_verifies", "imported", "open_questions"},
                homes);
  for (size_t h = 0; h < month.grid.homes.size(); ++h) {
    const GridHome& home = month.grid.homes[h];
    const GridCell& cell = month.grid.Cell(h, 0);
    const RegionFiling* filing = FilingOf(month, home.number);
    const std::string verifies = filing ? (filing->DigestHolds() ? "yes" : "no") : "";
    const std::string chain = cell.chain_holds ? (*cell.chain_holds ? "yes" : "no") : "";
    AppendCsvLine({home.number, home.name, home.region, month.month.Text(), MonthStateText(cell.state),
                   filing ? filing->filing.filed_by : "", filing ? filing->filing.filed_at : "",
                   filing ? filing->filing.report_digest : "", verifies, chain, cell.imported ? "yes" : "no",
                   std::to_string(cell.open_questions)},
                  homes);
  }
  for (const RegionFiling& filing : month.filings) {
    const MonthReport report = filing.Report();
    for (const ReportTable& table : report.tables) {
      std::string& out = files[table.name + ".csv"];
      if (out.empty()) {
        std::vector<std::string> header{"Home"};
        for (const ReportColumn& column : table.columns) header.push_back(column.caption);
        AppendCsvLine(header, out);
      }
      std::vector<std::string> texts;
      for (const ReportRow& row : table.rows) {
        texts.assign(1, filing.home_number);
        for (const ReportCell& cell : row.cells) texts.push_back(cell.text);
        AppendCsvLine(texts, out);
      }
    }
  }
  return files;
}

}  // namespace trf
