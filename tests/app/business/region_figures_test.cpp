// The months seen over time: a filed report's figures, and a figure far from its home's own year.
#include "app/business/region_figures.h"

#include <gtest/gtest.h>

#include "app/business/month_report_json.h"

namespace trf::testing {
namespace {

// A filed report of `home` in `month` with residents paying `fees` and one expense of `expense`.
RegionFiling Filed(const std::string& home, YearMonth month, const std::vector<double>& fees, double expense) {
  MonthReport report;
  report.home_number = home;
  report.year = month.year;
  report.month = month.month;
  report.filed = true;
  ReportTable residents{
      "residents",
      "Residents",
      {{"H_ResidentName", "Resident name", ColumnKind::kText}, {"H_MonthlyFee", "Monthly fee", ColumnKind::kMoney}},
      {}};
  for (size_t i = 0; i < fees.size(); ++i) {
    residents.rows.push_back({std::to_string(i + 1),
                              {{"R" + std::to_string(i), kw::Variant::Text("R")}, {"", kw::Variant::Double(fees[i])}}});
  }
  ReportTable expenses{"expenses", "Monthly Expenses", {{"H_Amount", "Amount", ColumnKind::kMoney}}, {}};
  expenses.rows.push_back({"1", {{"", kw::Variant::Double(expense)}}});
  report.tables = {residents, expenses};
  RegionFiling filing;
  filing.home_number = home;
  filing.month = month;
  filing.filing.report = MonthReportJson(report);
  return filing;
}

// Residents are counted, their fees summed, the expenses summed, from the report as filed.
TEST(RegionFiguresTest, AFiledReportsFiguresAreItsResidentsFeesAndExpenses) {
  const MonthFigures figures = FiguresOf(Filed("H-101", {2004, 3}, {2400, 2350.5, 0}, 4200).Report());
  EXPECT_EQ(figures.residents, 3);
  EXPECT_DOUBLE_EQ(figures.fees, 4750.5);
  EXPECT_DOUBLE_EQ(figures.expenses, 4200);
}

// A value is far when at least six earlier months are known and it is both three deviations and a
// tenth away from their mean.
TEST(RegionFiguresTest, AFigureIsFarFromItsOwnYearOnlyWhenClearlySo) {
  struct Row {
    const char* what;
    std::vector<double> history;
    double value;
    bool far;
  };
  const std::vector<double> steady(12, 100);
  const std::vector<double> noisy = {80, 120, 90, 110, 85, 115, 95, 105, 100, 100, 90, 110};
  const Row rows[] = {
      {"too little known", {100, 100, 100, 100, 100}, 500, false},
      {"steady, then a tenth and more", steady, 111, true},
      {"steady, then under a tenth", steady, 109, false},
      {"noisy, within three deviations", noisy, 130, false},
      {"noisy, far beyond them", noisy, 200, true},
      {"noisy, far below", noisy, 20, true},
  };
  for (const Row& row : rows) EXPECT_EQ(FarFrom(row.history, row.value).has_value(), row.far) << row.what;
  std::vector<double> long_history(20, 1000);
  long_history.insert(long_history.end(), 12, 100);
  EXPECT_FALSE(FarFrom(long_history, 100).has_value()) << "only the last twelve months count";
}

// A series sums the homes month by month and marks the home whose fees leapt, saying against what;
// months before the series count for that home's year.
TEST(RegionFiguresTest, ASeriesSumsTheHomesAndMarksAFarMonth) {
  std::vector<RegionFiling> filings;
  for (int month = 1; month <= 12; ++month) filings.push_back(Filed("H-101", {2003, month}, {1000, 1000}, 500));
  filings.push_back(Filed("H-101", {2004, 1}, {1000, 3000}, 500));
  filings.push_back(Filed("H-102", {2004, 1}, {900}, 100));
  const FigureSeries series = SeriesOf("Region N", {{2004, 1}, {2004, 2}}, filings);
  ASSERT_EQ(series.months.size(), 2u);
  const FigureMonth& january = series.months[0];
  EXPECT_EQ(january.filed, 2);
  EXPECT_EQ(january.figures.residents, 3);
  EXPECT_DOUBLE_EQ(january.figures.fees, 4900);
  ASSERT_EQ(january.far.size(), 1u);
  EXPECT_EQ(january.far[0], "H-101: fees total 4,000.00, against 2,000.00 on average over its last 12 filed months");
  EXPECT_EQ(january.far_figures, std::vector<Figure>{Figure::kFees});
  EXPECT_EQ(series.months[1].filed, 0) << "nobody filed February";
  EXPECT_EQ(FigureSeriesCsv(series),
            "month,homes_filed,residents,fees_total,expenses_total,far\r\n"
            "2004-01,2,3,4900.00,600.00,\"H-101: fees total 4,000.00, against 2,000.00 on average over its last 12 "
            "filed months\"\r\n2004-02,0,0,0.00,0.00,\r\n");
}

}  // namespace
}  // namespace trf::testing
