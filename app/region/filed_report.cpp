// A made month's report, as the record screens put their records into it.
#include "app/region/filed_report.h"

#include "app/business/month_report_json.h"
#include "app/business/rules.h"
#include "app/data/trf_tables.h"
#include "ui_shared/platform/dates.h"

namespace trf::region {

namespace {

// The value a stored value stands for, as a report cell carries it.
kw::Variant CellValue(const Value& value, ColumnKind kind) {
  if (std::holds_alternative<std::monostate>(value)) return kw::Variant::Null();
  if (const auto* text = std::get_if<std::string>(&value)) return kw::Variant::Text(*text);
  const double number =
      std::holds_alternative<double>(value) ? std::get<double>(value) : static_cast<double>(std::get<int64_t>(value));
  return kind == ColumnKind::kDate ? kw::Variant::Date(number) : kw::Variant::Double(number);
}

// A cell as the report shows a value of `kind`; a lookup by the name `names` gives its key.
std::string CellText(const Value& value, ColumnKind kind, const std::map<int64_t, std::string>& names) {
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
    ReportRow& cells = report.rows.emplace_back();
    cells.key = *ValueText(row.values[0]);
    for (size_t i = 2; i < table.columns.size(); ++i) {
      const ColumnKind kind = table.columns[i].kind;
      cells.cells.push_back({CellText(row.values[i], kind, names), CellValue(row.values[i], kind)});
    }
  }
  return report;
}

}  // namespace

std::string FiledReportJson(const FiledMonth& month) {
  std::map<int64_t, std::string> group_names;
  const auto group_name = static_cast<size_t>(tables::kFamilyGroups.Position(tables::column::kGroupName) - 1);
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
  report.filed = true;
  report.made_by = month.filed_by;
  report.made_at = month.filed_at;
  return MonthReportJson(report);
}

}  // namespace trf::region
