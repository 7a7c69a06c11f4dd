// A made month's report, as the record screens put their records into it.
#include "app/region/filed_report.h"

#include "app/business/rules.h"
#include "app/data/trf_tables.h"
#include "app/report/report_json.h"
#include "app/screens/setup_screen.h"
#include "ui_shared/platform/dates.h"

namespace trf::region {

namespace {

// A cell as the report shows a value of `kind`; a lookup by the name `names` gives its key.
std::string Cell(const Value& value, ColumnKind kind, const std::map<int64_t, std::string>& names) {
  if (std::holds_alternative<std::monostate>(value)) return {};
  switch (kind) {
    case ColumnKind::kDate: return kw::dates::ToText(std::get<double>(value));
    case ColumnKind::kMoney: return AmountText(std::get<double>(value));
    case ColumnKind::kLookup: {
      const auto found = names.find(std::get<int64_t>(value));
      return found != names.end() ? found->second : *ValueText(value);
    }
    default: return *ValueText(value);
  }
}

// The records of one screen as a report table: the columns after the key and the record's parent.
ReportTable TableOf(const TableDescription& table, std::string name, std::string title, const std::vector<Row>& rows,
                    const std::map<int64_t, std::string>& names) {
  ReportTable report{.name = std::move(name), .title = std::move(title), .columns = {}, .rows = {}};
  for (size_t i = 2; i < table.columns.size(); ++i) {
    const ColumnDescription& column = table.columns[i];
    report.columns.push_back({std::string(column.name), std::string(column.caption), column.kind});
  }
  for (const Row& row : rows) {
    std::vector<std::string>& cells = report.rows.emplace_back();
    for (size_t i = 2; i < table.columns.size(); ++i)
      cells.push_back(Cell(row.values[i], table.columns[i].kind, names));
  }
  return report;
}

}  // namespace

std::string FiledReportJson(const FiledMonth& month) {
  std::map<int64_t, std::string> group_names;
  const size_t group_name = static_cast<size_t>(tables::kFamilyGroups.Position(tables::column::kGroupName) - 1);
  for (const Row& group : month.groups) {
    group_names[std::get<int64_t>(group.values[0])] = std::get<std::string>(group.values[group_name]);
  }
  MonthReport report;
  report.home_number = month.home_number;
  report.home_name = month.home_name;
  report.year = month.year;
  report.month = month.month;
  report.trf_type = month.trf_type;
  report.status = kMonthClosed;
  report.passes = true;
  report.tables.push_back(TableOf(tables::kResidents, "residents", "Residents", month.residents, group_names));
  report.tables.push_back(TableOf(tables::kFamilyGroups, "families", "Family Groups", month.groups, {}));
  report.tables.push_back(
      TableOf(tables::kMonthlyExpenses, "expenses", "Monthly Expenses", month.expenses, month.categories));
  for (const std::string& paragraph : month.notes) {
    report.notes.push_back({.alignment = ReportAlignment::kLeft, .bullet = false, .runs = {{.text = paragraph}}});
  }
  report.accepted = month.accepted;
  report.filed_by = month.filed_by;
  report.filed_at = month.filed_at;
  return MonthReportJson(report);
}

}  // namespace trf::region
