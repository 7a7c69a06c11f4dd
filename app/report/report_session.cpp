// Opening the application for a report and choosing its home and month.
#include "app/report/report_session.h"

#include <tuple>

#include "ui_shared/platform/dates.h"

namespace trf {

ReportSession::ReportSession(const std::string& location, Access access) : services_(location, access) {
  RegisterScreens(host_, services_.database());
}

ReportSession::ReportSession(std::shared_ptr<Database> database) : services_(std::move(database)) {
  RegisterScreens(host_, services_.database());
}

template <class Matches>
bool ReportSession::SelectRow(const std::string& screen, Matches matches, std::string& seen) {
  if (!host_.Go(screen)) throw ScreenRefusal(host_.Find(screen)->Caption() + " could not be shown");
  ScreenView view;
  host_.Describe(view);
  if (!view.list) return false;
  const std::vector<std::vector<std::string>>& rows = view.list->rows;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].empty()) continue;
    if (matches(rows[i][0])) {
      host_.Perform([&](ScreenForm& shown) { shown.SelectRow(static_cast<int>(i) + 1); });
      return true;
    }
    seen += (seen.empty() ? "" : ", ") + rows[i][0];
  }
  return false;
}

void ReportSession::Choose(const std::string& home_number, int year, int month) {
  std::string homes;
  if (!SelectRow(
          "home", [&](const std::string& cell) { return cell == home_number; }, homes))
    throw ScreenRefusal("no home is numbered " + home_number + (homes.empty() ? "" : "; the homes are " + homes));
  std::string months;
  const auto same_month = [&](const std::string& cell) {
    const std::optional<double> date = kw::dates::Recognize(cell);
    if (!date) return false;
    const kw::dates::Civil civil = kw::dates::CivilOf(*date);
    return civil.year == year && civil.month == month;
  };
  if (!SelectRow("setup", same_month, months))
    throw ScreenRefusal("home " + home_number + " has no month " + std::to_string(year) + "-" +
                        (month < 10 ? "0" : "") + std::to_string(month) +
                        (months.empty() ? "" : "; its months are " + months));
  std::ignore = host_.LeaveCurrent();
}

MonthReport ReportSession::Report(const std::string& filed_by) {
  return BuildMonthReport(host_, *services_.database(), filed_by);
}

}  // namespace trf
