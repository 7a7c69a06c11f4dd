// OneResidentSheets: a month's sheets that pass, with one resident (Paul Moreau, record 10, fee
// 2,200.00): what a month filed in a region's test holds.
#pragma once

#include <utility>
#include <vector>

#include "app/business/month_service.h"

namespace trf::testing {

class OneResidentSheets : public MonthSheets {
 public:
  std::vector<Problem> Problems() override { return {}; }
  void AddToReport(MonthReport& report) override {
    ReportTable residents{
        "residents",
        "Residents",
        {{"H_ResidentName", "Resident name", ColumnKind::kText}, {"H_MonthlyFee", "Monthly fee", ColumnKind::kMoney}},
        {}};
    residents.rows.push_back(
        {"10", {{"Paul Moreau", kw::Variant::Text("Paul Moreau")}, {"2,200.00", kw::Variant::Double(2200)}}});
    report.tables.push_back(std::move(residents));
  }
};

}  // namespace trf::testing
