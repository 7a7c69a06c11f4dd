// Writing the month's report as a JSON file.
#include "app/report/report_json.h"

#include <fstream>

#include "app/screens/screen_refusal.h"

namespace trf {

void WriteMonthReportJson(const MonthReport& report, const std::string& path) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << MonthReportJson(report);
  if (!file.flush()) throw ScreenRefusal("the file " + path + " cannot be written");
}

}  // namespace trf
