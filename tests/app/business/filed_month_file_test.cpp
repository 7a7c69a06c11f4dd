// A filed month sent as a file is taken only as its home's program wrote it and filed it: anything
// else is refused, saying why and where.
#include "app/business/filed_month_file.h"

#include <gtest/gtest.h>

#include "app/business/month_report_json.h"
#include "app/data/sha256.h"
#include "tests/doubles/raised.h"

namespace trf::testing {
namespace {

using kw::testing::Raised;

// What a home on a file sends: its filed month's report with the facts of its filing, whose digest
// is that of the report as stored at filing.
std::string Sent(bool filed = true) {
  MonthReport report;
  report.home_number = "H-103";
  report.home_name = "Cedar Lodge";
  report.year = 2004;
  report.month = 2;
  report.status = kMonthClosed;
  report.passes = true;
  report.filed = filed;
  report.made_at = 38047.5;
  ReportTable table{"residents", "Residents", {{"H_MonthlyFee", "Monthly fee", ColumnKind::kMoney}}, {}};
  table.rows.push_back({"12", {{"1,900.00", kw::Variant::Double(1900)}}});
  report.tables.push_back(table);
  const std::string stored = MonthReportJson(report);
  report.filing = FilingFacts{"cedar", "2004-02-29 17:00:00", Sha256Hex(stored), std::string(64, 'c')};
  return MonthReportJson(report);
}

std::string Why(const std::string& text) {
  return SentenceOf(Raised([&] { VerifyFiledMonthFile(text, "feb.json"); }));
}

// A file as the home's program wrote it verifies, and gives back the text its digest was taken over.
TEST(FiledMonthFileTest, AFileAsItsHomesProgramWroteItVerifies) {
  const FiledMonthFile file = VerifyFiledMonthFile(Sent(), "feb.json");
  EXPECT_EQ(Sha256Hex(file.stored), file.report.filing->report_digest);
  EXPECT_EQ(file.report.home_number, "H-103");
  EXPECT_EQ(file.stored.find("\"filing\":null"), file.stored.find("\"filing\"")) << "stored without its facts";
}

// Each way a file can fail to verify, and what the region is told.
TEST(FiledMonthFileTest, AFileThatDoesNotVerifyIsRefusedSayingWhy) {
  std::string altered = Sent();
  altered[altered.find("1900")] = '2';
  const std::string digest = VerifyFiledMonthFile(Sent(), "feb.json").report.filing->report_digest;
  EXPECT_TRUE(
      Why(altered).starts_with("feb.json does not verify: its report does not match the digest of its filing (" +
                               digest + "; its content hashes to "))
      << Why(altered);
  std::string spaced = Sent();
  spaced.insert(spaced.find('\n') + 1, " ");
  EXPECT_EQ(Why(spaced),
            "feb.json does not verify: it is not as the home's program wrote it: it differs at line 2, "
            "column 1. It was not imported.");
  EXPECT_EQ(Why(Sent().substr(0, 40)).substr(0, 77),
            "feb.json does not verify: it is not a month's report. The JSON breaks at char");
  std::string extra = Sent();
  extra.insert(1, "\"extra\":1,");
  EXPECT_EQ(Why(extra),
            "feb.json does not verify: it does not follow the month's report schema "
            "(docs/month-report.schema.json) at the document: the member \"extra\" is not one it may "
            "have. It was not imported.");
  EXPECT_EQ(Why(Sent(false)),
            "feb.json does not verify: it is a draft, not a filed month: only the report of a filed month, as its "
            "home's program writes it, is taken. It was not imported.");
}

}  // namespace
}  // namespace trf::testing
