// Writing the report's tables as CSV files.
#include "app/report/report_csv.h"

#include <filesystem>
#include <fstream>

#include "app/screens/screen_refusal.h"

namespace trf {
namespace {

// One field as RFC 4180 writes it: quoted, its quotes doubled, when it holds a comma, a quote or a
// line break.
void AppendField(const std::string& field, std::string& out) {
  if (field.find_first_of(",\"\r\n") == std::string::npos) {
    out += field;
    return;
  }
  out += '"';
  for (const char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void AppendLine(const std::vector<std::string>& fields, std::string& out) {
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out += ',';
    AppendField(fields[i], out);
  }
  out += "\r\n";
}

}  // namespace

std::string TableCsv(const ReportTable& table) {
  std::string out;
  std::vector<std::string> header;
  for (const ReportColumn& column : table.columns) header.push_back(column.caption);
  AppendLine(header, out);
  std::vector<std::string> texts;
  for (const ReportRow& row : table.rows) {
    texts.clear();
    for (const ReportCell& cell : row.cells) texts.push_back(cell.text);
    AppendLine(texts, out);
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
