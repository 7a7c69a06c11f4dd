// Writing the report's tables as CSV files.
#include "app/report/report_csv.h"

#include <filesystem>
#include <fstream>

#include "app/business/csv_line.h"
#include "app/screens/screen_refusal.h"

namespace trf {

std::string TableCsv(const ReportTable& table) {
  std::string out;
  std::vector<std::string> header;
  for (const ReportColumn& column : table.columns) header.push_back(column.caption);
  AppendCsvLine(header, out);
  std::vector<std::string> texts;
  for (const ReportRow& row : table.rows) {
    texts.clear();
    for (const ReportCell& cell : row.cells) texts.push_back(cell.text);
    AppendCsvLine(texts, out);
  }
  return out;
}

std::vector<std::string> WriteMonthReportCsv(const MonthReport& report, const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) throw ScreenRefusal("the folder " + folder + " cannot be made: " + error.message());
  std::vector<std::string> written;
  for (const ReportTable& table : report.tables) {
    // A draft's tables say so in their names, where every program that lists the folder sees it.
    const std::string name = table.name + (report.filed ? ".csv" : ".draft.csv");
    const std::string path = (std::filesystem::path(folder) / name).string();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << TableCsv(table);
    if (!file.flush()) throw ScreenRefusal("the file " + path + " cannot be written");
    written.push_back(path);
  }
  return written;
}

}  // namespace trf
