// Opening the application for a report and choosing its home and month.
#include "app/report/report_session.h"

namespace trf {

ReportSession::ReportSession(const std::string& location, Access access) : services_(location, access) {
  RegisterScreens(host_, services_.database());
}

ReportSession::ReportSession(std::shared_ptr<Database> database) : services_(std::move(database)) {
  RegisterScreens(host_, services_.database());
}

void ReportSession::Choose(const std::string& home_number, int year, int month) {
  MonthService& months = host_.Months();
  try {
    const HomeChoice home = months.HomeNumbered(home_number);
    host_.ChooseMonth(home, months.MonthOf(home, year, month));
  } catch (const kw::Error& error) {
    throw ScreenRefusal(SentenceOf(error));
  }
}

MonthReport ReportSession::Report(const std::string& made_by) { return CurrentMonthReport(host_, made_by); }

}  // namespace trf
