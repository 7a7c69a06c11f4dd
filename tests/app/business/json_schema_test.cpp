// Documents checked against the published schemas: what follows them passes, and each way a
// document can break one is found and said with where.
#include "app/business/json_schema.h"

#include <gtest/gtest.h>

#include "app/business/month_report_json.h"

namespace trf::testing {
namespace {

// A filed report with one table of one row, as the month's report schema publishes it.
std::string FiledReportJson() {
  MonthReport report;
  report.home_number = "H-102";
  report.home_name = "Birch Court";
  report.year = 2004;
  report.month = 3;
  report.status = kMonthClosed;
  report.passes = report.filed = true;
  report.filing = FilingFacts{"birch", "2004-03-31 10:00:00", std::string(64, 'a'), std::string(64, 'b')};
  ReportTable table{"residents", "Residents", {{"H_MonthlyFee", "Monthly fee", ColumnKind::kMoney}}, {}};
  table.rows.push_back({"10", {{"2,200.00", kw::Variant::Double(2200)}}});
  report.tables.push_back(table);
  return MonthReportJson(report);
}

std::optional<std::string> Check(const std::string& json, const std::string& schema = "month-report.schema.json") {
  return PublishedSchemas().Check(ParseJson(json), schema);
}

// Changes the first `from` of `json` into `to`.
std::string With(std::string json, const std::string& from, const std::string& to) {
  return json.replace(json.find(from), from.size(), to);
}

// The report as the program writes it follows its schema.
TEST(JsonSchemaTest, TheReportAsWrittenFollowsItsSchema) { EXPECT_EQ(Check(FiledReportJson()), std::nullopt); }

// Each kind of break is found, and said with the path to it.
TEST(JsonSchemaTest, EachBreakOfTheSchemaIsSaidWithWhere) {
  const std::string json = FiledReportJson();
  struct Row {
    const char* what;
    std::string document;
    std::string why;
  };
  const Row rows[] = {
      {"a missing member", With(json, R"("trf_type":"",)", ""), R"(the document: the member "trf_type" is missing)"},
      {"a member of the wrong type", With(json, R"("passes":true)", R"("passes":"yes")"),
       "/passes: boolean was expected, not string"},
      {"a member it may not have", With(json, R"("passes":true)", R"("passes":true,"extra":1)"),
       R"(the document: the member "extra" is not one it may have)"},
      {"a value outside its enum", With(json, R"("kind":"money")", R"("kind":"cash")"),
       "/tables/0/columns/0/kind: it is none of the values it may take"},
      {"a text unlike its pattern", With(json, R"("month":"2004-03")", R"("month":"2004-3")"),
       R"(/month: "2004-3" is not written as it must be (^[0-9]{4}-(0[1-9]|1[0-2])$))"},
      {"a oneOf that none matches", With(json, R"("filing":{)", R"("filing":{"x":1,)"),
       "/filing: it matches none of the forms it may take"},
      {"a wrong const", With(json, "trf-month-report/2", "trf-month-report/1"),
       "/schema: it is not the one value it must be"},
  };
  for (const Row& row : rows) EXPECT_EQ(Check(row.document), row.why) << row.what;
}

// An accepted question may carry who accepted it, and nothing the problem schema lacks.
TEST(JsonSchemaTest, UnevaluatedMembersAreThoseNoPartOfTheSchemaNamed) {
  const std::string question =
      "{\"screen\":\"Residents\",\"record_key\":\"7\",\"record\":\"Nora Pike\",\"field\":\"Monthly fee\",\"rule\":3121,"
      "\"message\":\"High?\",\"hard\":false,\"accepted_by\":null,\"accepted_at\":null";
  const std::string json = FiledReportJson();
  EXPECT_EQ(Check(With(json, "\"accepted_questions\":[]", "\"accepted_questions\":[" + question + "}]")), std::nullopt);
  EXPECT_EQ(Check(With(json, "\"accepted_questions\":[]", "\"accepted_questions\":[" + question + ",\"x\":1}]")),
            "/accepted_questions/0: the member \"x\" is not one it may have");
}

// The region's month refers to the month's report schema for each home's report.
TEST(JsonSchemaTest, TheRegionsMonthChecksEachReportAgainstTheReportSchema) {
  const std::string home =
      "{\"number\":\"H-102\",\"name\":\"Birch Court\",\"region\":\"S\",\"state\":\"filed\",\"open_questions\":0,"
      "\"filing\":null,\"report\":";
  const std::string month =
      "{\"schema\":\"trf-region-month/1\",\"month\":\"2004-03\",\"region\":null,\"made_by\":"
      "\"rowan\",\"made_at\":\"2026-12-08T10:00:00\",\"homes\":[" +
      home;
  EXPECT_EQ(Check(month + FiledReportJson() + "}]}", "region-month.schema.json"), std::nullopt);
  EXPECT_EQ(
      Check(month + With(FiledReportJson(), "\"passes\":true", "\"passes\":1") + "}]}", "region-month.schema.json"),
      "/homes/0/report: it matches none of the forms it may take");
}

}  // namespace
}  // namespace trf::testing
