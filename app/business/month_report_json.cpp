// Writing the month's report as JSON, appended to one text as it goes (a month of many records makes
// no large pieces to copy), and reading it back.
#include "app/business/month_report_json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "app/business/json_text.h"
#include "app/business/json_value.h"
#include "ui_shared/platform/dates.h"

namespace trf {
namespace {

// The kinds of column by their names in the JSON.
constexpr std::pair<ColumnKind, std::string_view> kKindNames[] = {{ColumnKind::kWholeNumber, "whole number"},
                                                                  {ColumnKind::kMoney, "money"},
                                                                  {ColumnKind::kDate, "date"},
                                                                  {ColumnKind::kText, "text"},
                                                                  {ColumnKind::kRichText, "rich text"},
                                                                  {ColumnKind::kLookup, "lookup"}};
constexpr std::pair<ReportAlignment, std::string_view> kAlignmentNames[] = {
    {ReportAlignment::kLeft, "left"}, {ReportAlignment::kCenter, "center"}, {ReportAlignment::kRight, "right"}};

template <class Enum, size_t N>
std::string_view NameOf(const std::pair<Enum, std::string_view> (&names)[N], Enum value) {
  for (const auto& [known, name] : names)
    if (known == value) return name;
  return names[0].second;
}

template <class Enum, size_t N>
Enum Named(const std::pair<Enum, std::string_view> (&names)[N], const std::string& name, std::string_view what) {
  for (const auto& [known, known_name] : names)
    if (known_name == name) return known;
  throw JsonError{std::string(what) + " \"" + name + "\" is none of the known ones."};
}

// A cell's value as JSON: a date as "2004-03-15", a number as a number, a text as a text.
void CellValue(const kw::Variant& value, ColumnKind kind, JsonText& json) {
  if (value.IsNull() || value.IsEmpty()) return json.Literal("null");
  switch (kind) {
    case ColumnKind::kDate: return json.Text(IsoDateText(value.ToDouble()));
    case ColumnKind::kWholeNumber:
    case ColumnKind::kMoney:
    case ColumnKind::kLookup:
      if (value.IsNumber()) return json.Number(value.ToDouble());
      return json.Text(value.ToText());
    default: return json.Text(value.ToText());
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
    json.Name("kind").Text(NameOf(kKindNames, column.kind));
    json.Close('}');
  }
  json.Close(']');
  json.Name("rows").Open('[');
  for (const ReportRow& row : table.rows) {
    json.Break();
    json.Open('{');
    json.Name("key").Text(row.key);
    json.Name("cells").Open('[');
    for (size_t i = 0; i < row.cells.size(); ++i) {
      json.Open('{');
      json.Name("text").Text(row.cells[i].text);
      json.Name("value");
      CellValue(row.cells[i].value, i < table.columns.size() ? table.columns[i].kind : ColumnKind::kText, json);
      json.Close('}');
    }
    json.Close(']');
    json.Close('}');
  }
  json.Close(']');
  json.Close('}');
}

void Paragraph(const ReportParagraph& paragraph, JsonText& json) {
  json.Open('{');
  json.Name("alignment").Text(NameOf(kAlignmentNames, paragraph.alignment));
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

// --- reading ---------------------------------------------------------------------------------------

// A date serial from "2004-03-15" (or a moment "2004-03-15T10:30:00").
double SerialOf(const std::string& iso, std::string_view what) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  const int read = std::sscanf(iso.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d", &year, &month, &day, &hour, &minute, &second);
  if (read != 3 && read != 6) throw JsonError{std::string(what) + " \"" + iso + "\" is no date."};
  return kw::dates::Serial(year, month, day, hour, minute, second);
}

kw::Variant ValueOf(const JsonValue& value, ColumnKind kind) {
  if (value.IsNull()) return kw::Variant::Null();
  if (kind == ColumnKind::kDate) return kw::Variant::Date(SerialOf(value.Text("A date cell"), "A date cell"));
  if (value.IsNumber()) {
    const double number = value.Number("A cell");
    const bool whole = kind != ColumnKind::kMoney && number == std::trunc(number) && std::fabs(number) < 2147483648.0;
    return whole ? kw::Variant::Long(static_cast<int32_t>(number)) : kw::Variant::Double(number);
  }
  return kw::Variant::Text(value.Text("A cell"));
}

Problem ProblemOf(const JsonValue& value) {
  Problem problem;
  problem.screen = value["screen"].Text("A problem's screen");
  problem.record_key = value["record_key"].Text("A problem's record key");
  problem.record = value["record"].Text("A problem's record");
  problem.field = value["field"].Text("A problem's field");
  problem.rule = static_cast<int32_t>(value["rule"].Number("A problem's rule"));
  problem.message = value["message"].Text("A problem's message");
  problem.hard = value["hard"].Flag("A problem's hardness");
  return problem;
}

std::string TextOrEmpty(const JsonValue& value, std::string_view what) {
  return value.IsNull() ? std::string() : value.Text(what);
}

ReportTable TableOf(const JsonValue& value) {
  ReportTable table;
  table.name = value["name"].Text("A table's name");
  table.title = value["title"].Text("A table's title");
  for (const JsonValue& column : value["columns"].Items("A table's columns")) {
    table.columns.push_back({column["name"].Text("A column's name"), column["caption"].Text("A column's caption"),
                             Named(kKindNames, column["kind"].Text("A column's kind"), "The column kind")});
  }
  for (const JsonValue& row : value["rows"].Items("A table's rows")) {
    ReportRow& read = table.rows.emplace_back();
    read.key = row["key"].Text("A row's key");
    const JsonValue::Array& cells = row["cells"].Items("A row's cells");
    if (cells.size() != table.columns.size())
      throw JsonError{"A row of " + table.name + " has not one cell per column."};
    for (size_t i = 0; i < cells.size(); ++i) {
      read.cells.push_back({cells[i]["text"].Text("A cell's text"), ValueOf(cells[i]["value"], table.columns[i].kind)});
    }
  }
  return table;
}

ReportParagraph ParagraphOf(const JsonValue& value) {
  ReportParagraph paragraph;
  paragraph.alignment = Named(kAlignmentNames, value["alignment"].Text("A paragraph's alignment"), "The alignment");
  paragraph.bullet = value["bullet"].Flag("A paragraph's bullet");
  for (const JsonValue& run : value["runs"].Items("A paragraph's runs")) {
    const std::string& color = run["color"].Text("A run's colour");
    unsigned rgb = 0;
    if (color.size() != 7 || color[0] != '#' ||
        std::from_chars(color.data() + 1, color.data() + 7, rgb, 16).ptr != color.data() + 7) {
      throw JsonError{"The colour \"" + color + "\" is not written as #rrggbb."};
    }
    paragraph.runs.push_back({run["text"].Text("A run's text"), run["bold"].Flag("A run's bold"),
                              run["italic"].Flag("A run's italic"), run["underline"].Flag("A run's underline"), rgb});
  }
  return paragraph;
}

}  // namespace

std::string MonthReportJson(const MonthReport& report) {
  JsonText json;
  char month[16];
  std::snprintf(month, sizeof month, "%04d-%02d", report.year, report.month);
  json.Open('{');
  json.Name("schema").Text(kMonthReportSchema);
  json.Name("home").Open('{');
  json.Name("number").Text(report.home_number);
  json.Name("name").Text(report.home_name);
  json.Close('}');
  json.Name("month").Text(month);
  json.Name("trf_type").Text(report.trf_type);
  json.Name("status").Text(MonthStatusText(report.status));
  json.Name("passes").Flag(report.passes);
  json.Name("draft").Flag(!report.filed);
  json.Name("made_by").Text(report.made_by);
  json.Name("made_at").Text(IsoMomentText(report.made_at));
  json.Name("filing");
  if (report.filing) {
    json.Open('{');
    json.Name("filed_by").Text(report.filing->filed_by);
    json.Name("filed_at").Text(report.filing->filed_at);
    json.Name("report_digest").Text(report.filing->report_digest);
    json.Name("chain_digest").Text(report.filing->chain_digest);
    json.Close('}');
  } else {
    json.Literal("null");
  }
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

MonthReport MonthReportFromJson(std::string_view text) {
  const JsonValue document = ParseJson(text);
  if (document["schema"].Text("The schema") != kMonthReportSchema) {
    throw JsonError{"The document is not a month's report of the shape " + std::string(kMonthReportSchema) + "."};
  }
  MonthReport report;
  report.home_number = document["home"]["number"].Text("The home's number");
  report.home_name = document["home"]["name"].Text("The home's name");
  const std::string& month = document["month"].Text("The month");
  if (std::sscanf(month.c_str(), "%4d-%2d", &report.year, &report.month) != 2) {
    throw JsonError{"The month \"" + month + "\" is not written as yyyy-mm."};
  }
  report.trf_type = document["trf_type"].Text("The TRF type");
  const std::string& status = document["status"].Text("The status");
  for (int32_t code : {kMonthNotStarted, kMonthActive, kMonthClosed})
    if (MonthStatusText(code) == status) report.status = code;
  report.passes = document["passes"].Flag("Whether the month passes");
  report.filed = !document["draft"].Flag("Whether the report is a draft");
  report.made_by = document["made_by"].Text("Who made the report");
  report.made_at = SerialOf(document["made_at"].Text("When the report was made"), "When the report was made");
  if (const JsonValue& filing = document["filing"]; !filing.IsNull()) {
    report.filing = FilingFacts{filing["filed_by"].Text("Who filed"), filing["filed_at"].Text("When it was filed"),
                                filing["report_digest"].Text("The report's digest"),
                                filing["chain_digest"].Text("The chain's digest")};
  }
  for (const JsonValue& table : document["tables"].Items("The tables")) report.tables.push_back(TableOf(table));
  for (const JsonValue& paragraph : document["notes"].Items("The notes"))
    report.notes.push_back(ParagraphOf(paragraph));
  for (const JsonValue& accepted : document["accepted_questions"].Items("The accepted questions")) {
    report.accepted.push_back({ProblemOf(accepted), TextOrEmpty(accepted["accepted_by"], "Who accepted"),
                               TextOrEmpty(accepted["accepted_at"], "When it was accepted")});
    report.accepted.back().question.accepted = true;
  }
  for (const JsonValue& problem : document["problems"].Items("The problems"))
    report.standing.push_back(ProblemOf(problem));
  return report;
}

}  // namespace trf
