// Writing the month's report as JSON.
#include "app/report/report_json.h"

#include <cstdio>
#include <fstream>

#include "app/screens/screen_refusal.h"
#include "app/screens/setup_screen.h"

namespace trf {
namespace {

// A text as a JSON string: quotes, backslashes and control characters escaped, UTF-8 as it is.
std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string Flag(bool value) { return value ? "true" : "false"; }

// `items` written by `write`, as a JSON array.
template <class T, class Write>
std::string Array(const std::vector<T>& items, Write write) {
  std::string out = "[";
  for (size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + write(items[i]);
  return out + "]";
}

std::string KindName(ColumnKind kind) {
  switch (kind) {
    case ColumnKind::kWholeNumber: return "whole number";
    case ColumnKind::kMoney: return "money";
    case ColumnKind::kDate: return "date";
    case ColumnKind::kRichText: return "rich text";
    case ColumnKind::kLookup: return "lookup";
    default: return "text";
  }
}

std::string AlignmentName(ReportAlignment alignment) {
  switch (alignment) {
    case ReportAlignment::kCenter: return "center";
    case ReportAlignment::kRight: return "right";
    default: return "left";
  }
}

std::string Color(uint32_t rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06x", rgb & 0xFFFFFFu);
  return Quoted(text);
}

// The fields every entry of the problem list has, without the braces around them.
std::string ProblemFields(const Problem& problem) {
  return "\"screen\":" + Quoted(problem.screen) + ",\"record_key\":" + Quoted(problem.record_key) +
         ",\"record\":" + Quoted(problem.record) + ",\"field\":" + Quoted(problem.field) +
         ",\"rule\":" + std::to_string(problem.rule) + ",\"message\":" + Quoted(problem.message) +
         ",\"hard\":" + Flag(problem.hard);
}

std::string OrNull(const std::string& text) { return text.empty() ? "null" : Quoted(text); }

std::string TableJson(const ReportTable& table) {
  const std::string columns = Array(table.columns, [](const ReportColumn& column) {
    return "{\"name\":" + Quoted(column.name) + ",\"caption\":" + Quoted(column.caption) +
           ",\"kind\":" + Quoted(KindName(column.kind)) + "}";
  });
  const std::string rows = Array(table.rows, [](const std::vector<std::string>& row) {
    return Array(row, [](const std::string& cell) { return Quoted(cell); });
  });
  return "{\"name\":" + Quoted(table.name) + ",\"title\":" + Quoted(table.title) + ",\"columns\":" + columns +
         ",\n\"rows\":" + rows + "}";
}

std::string ParagraphJson(const ReportParagraph& paragraph) {
  const std::string runs = Array(paragraph.runs, [](const ReportRun& run) {
    return "{\"text\":" + Quoted(run.text) + ",\"bold\":" + Flag(run.bold) + ",\"italic\":" + Flag(run.italic) +
           ",\"underline\":" + Flag(run.underline) + ",\"color\":" + Color(run.rgb) + "}";
  });
  return "{\"alignment\":" + Quoted(AlignmentName(paragraph.alignment)) + ",\"bullet\":" + Flag(paragraph.bullet) +
         ",\"runs\":" + runs + "}";
}

}  // namespace

std::string MonthReportJson(const MonthReport& report) {
  char month[16];
  std::snprintf(month, sizeof month, "%04d-%02d", report.year, report.month);
  const std::string accepted = Array(report.accepted, [](const AcceptedQuestion& accepted_question) {
    return "{" + ProblemFields(accepted_question.question) +
           ",\"accepted_by\":" + OrNull(accepted_question.accepted_by) +
           ",\"accepted_at\":" + OrNull(accepted_question.accepted_at) + "}";
  });
  const std::string standing =
      Array(report.standing, [](const Problem& problem) { return "{" + ProblemFields(problem) + "}"; });
  return "{\"home\":{\"number\":" + Quoted(report.home_number) + ",\"name\":" + Quoted(report.home_name) +
         "},\n\"month\":" + Quoted(month) + ",\"trf_type\":" + Quoted(report.trf_type) +
         ",\"status\":" + Quoted(MonthStatusText(report.status)) + ",\"passes\":" + Flag(report.passes) +
         ",\n\"filed_by\":" + Quoted(report.filed_by) + ",\"filed_at\":" + Quoted(IsoMomentText(report.filed_at)) +
         ",\n\"tables\":" + Array(report.tables, TableJson) + ",\n\"notes\":" + Array(report.notes, ParagraphJson) +
         ",\n\"accepted_questions\":" + accepted + ",\n\"problems\":" + standing + "}\n";
}

void WriteMonthReportJson(const MonthReport& report, const std::string& path) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << MonthReportJson(report);
  if (!file.flush()) throw ScreenRefusal("the file " + path + " cannot be written");
}

}  // namespace trf
