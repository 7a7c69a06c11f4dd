// Writing the month's report as JSON, appended to one text as it goes: a month of many records
// makes no large pieces to copy.
#include "app/report/report_json.h"

#include <cstdio>
#include <fstream>
#include <string_view>

#include "app/screens/screen_refusal.h"
#include "app/screens/setup_screen.h"

namespace trf {
namespace {

// A JSON text written front to back; the commas between members and items come by themselves.
class JsonText {
 public:
  // Opens an object or an array (`bracket` '{' or '['); Close ends it.
  void Open(char bracket) {
    Separate();
    out_ += bracket;
    first_ = true;
  }
  void Close(char bracket) {
    out_ += bracket;
    first_ = false;
  }
  // The name of the member whose value comes next.
  JsonText& Name(std::string_view name) {
    Separate();
    Quote(name);
    out_ += ':';
    first_ = true;
    return *this;
  }
  void Text(std::string_view text) {
    Separate();
    Quote(text);
  }
  // A value written as JSON already: a number, true, false or null.
  void Literal(std::string_view literal) {
    Separate();
    out_ += literal;
  }
  void Flag(bool value) { Literal(value ? "true" : "false"); }
  // A text, or null for an empty one.
  void TextOrNull(const std::string& text) { text.empty() ? Literal("null") : Text(text); }
  // A line break between items, so that a person can read a long array too.
  void Break() { out_ += '\n'; }
  std::string& Out() { return out_; }

 private:
  void Separate() {
    if (!first_) out_ += ',';
    first_ = false;
  }
  // Quotes, backslashes and control characters escaped, UTF-8 as it is.
  void Quote(std::string_view text) {
    out_ += '"';
    for (const char c : text) {
      switch (c) {
        case '"': out_ += "\\\""; break;
        case '\\': out_ += "\\\\"; break;
        case '\n': out_ += "\\n"; break;
        case '\r': out_ += "\\r"; break;
        case '\t': out_ += "\\t"; break;
        default:
          if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out_ += escaped;
          } else {
            out_ += c;
          }
      }
    }
    out_ += '"';
  }

  std::string out_;
  bool first_ = true;
};

std::string_view KindName(ColumnKind kind) {
  switch (kind) {
    case ColumnKind::kWholeNumber: return "whole number";
    case ColumnKind::kMoney: return "money";
    case ColumnKind::kDate: return "date";
    case ColumnKind::kRichText: return "rich text";
    case ColumnKind::kLookup: return "lookup";
    default: return "text";
  }
}

std::string_view AlignmentName(ReportAlignment alignment) {
  switch (alignment) {
    case ReportAlignment::kCenter: return "center";
    case ReportAlignment::kRight: return "right";
    default: return "left";
  }
}

// The members every entry of the problem list has; the object stays open.
void ProblemMembers(const Problem& problem, JsonText& json) {
  json.Open('{');
  json.Name("screen").Text(problem.screen);
  json.Name("record_key").Text(problem.record_key);
  json.Name("record").Text(problem.record);
  json.Name("field").Text(problem.field);
  json.Name("rule").Literal(std::to_string(problem.rule));
  json.Name("message").Text(problem.message);
  json.Name("hard").Flag(problem.hard);
}

void Table(const ReportTable& table, JsonText& json) {
  json.Open('{');
  json.Name("name").Text(table.name);
  json.Name("title").Text(table.title);
  json.Name("columns").Open('[');
  for (const ReportColumn& column : table.columns) {
    json.Open('{');
    json.Name("name").Text(column.name);
    json.Name("caption").Text(column.caption);
    json.Name("kind").Text(KindName(column.kind));
    json.Close('}');
  }
  json.Close(']');
  json.Name("rows").Open('[');
  for (const std::vector<std::string>& row : table.rows) {
    json.Break();
    json.Open('[');
    for (const std::string& cell : row) json.Text(cell);
    json.Close(']');
  }
  json.Close(']');
  json.Close('}');
}

void Paragraph(const ReportParagraph& paragraph, JsonText& json) {
  json.Open('{');
  json.Name("alignment").Text(AlignmentName(paragraph.alignment));
  json.Name("bullet").Flag(paragraph.bullet);
  json.Name("runs").Open('[');
  for (const ReportRun& run : paragraph.runs) {
    char color[8];
    std::snprintf(color, sizeof color, "#%06x", run.rgb & 0xFFFFFFu);
    json.Open('{');
    json.Name("text").Text(run.text);
    json.Name("bold").Flag(run.bold);
    json.Name("italic").Flag(run.italic);
    json.Name("underline").Flag(run.underline);
    json.Name("color").Text(color);
    json.Close('}');
  }
  json.Close(']');
  json.Close('}');
}

}  // namespace

std::string MonthReportJson(const MonthReport& report) {
  JsonText json;
  char month[16];
  std::snprintf(month, sizeof month, "%04d-%02d", report.year, report.month);
  json.Open('{');
  json.Name("home").Open('{');
  json.Name("number").Text(report.home_number);
  json.Name("name").Text(report.home_name);
  json.Close('}');
  json.Name("month").Text(month);
  json.Name("trf_type").Text(report.trf_type);
  json.Name("status").Text(MonthStatusText(report.status));
  json.Name("passes").Flag(report.passes);
  json.Name("filed_by").Text(report.filed_by);
  json.Name("filed_at").Text(IsoMomentText(report.filed_at));
  json.Name("tables").Open('[');
  for (const ReportTable& table : report.tables) Table(table, json);
  json.Close(']');
  json.Name("notes").Open('[');
  for (const ReportParagraph& paragraph : report.notes) Paragraph(paragraph, json);
  json.Close(']');
  json.Name("accepted_questions").Open('[');
  for (const AcceptedQuestion& accepted : report.accepted) {
    ProblemMembers(accepted.question, json);
    json.Name("accepted_by").TextOrNull(accepted.accepted_by);
    json.Name("accepted_at").TextOrNull(accepted.accepted_at);
    json.Close('}');
  }
  json.Close(']');
  json.Name("problems").Open('[');
  for (const Problem& problem : report.standing) {
    ProblemMembers(problem, json);
    json.Close('}');
  }
  json.Close(']');
  json.Close('}');
  json.Break();
  return std::move(json.Out());
}

void WriteMonthReportJson(const MonthReport& report, const std::string& path) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << MonthReportJson(report);
  if (!file.flush()) throw ScreenRefusal("the file " + path + " cannot be written");
}

}  // namespace trf
