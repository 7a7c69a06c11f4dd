// ReportSession: the application without a front end, for making a month's report from a script or
// a scheduler (the program `trf-report`, the benchmarks): the services on a database, the screens
// on their host, and the home and month chosen on the Our Home and TRF Setup screens as a person
// chooses them. Questions are declined and notices go unheard: nobody is there to answer them.
#pragma once

#include <string>

#include "app/data/trf_database.h"
#include "app/screens/month_report.h"
#include "app/screens/screen_host.h"
#include "app/siblings/app_services.h"

namespace trf {

class ReportSession {
 public:
  // Opens the database at `location` (a file or a server URI, see OpenTrfDatabase) with `access`.
  explicit ReportSession(const std::string& location, Access access = Access::kReadOnly);
  // Wires the screens on a database that is open already.
  explicit ReportSession(std::shared_ptr<Database> database);
  ReportSession(const ReportSession&) = delete;
  ReportSession& operator=(const ReportSession&) = delete;

  // Makes the home numbered `home_number` and its month of `year` and `month` (1 to 12) current, by
  // selecting their rows on Our Home and TRF Setup. A ScreenRefusal naming what there is to choose
  // from when the database has no such home or month.
  void Choose(const std::string& home_number, int year, int month);
  // The report of the chosen month, made by `filed_by` (BuildMonthReport).
  MonthReport Report(const std::string& filed_by);

  ScreenHost& Host() { return host_; }
  AppServices& Services() { return services_; }

 private:
  // Selects on screen `screen` the first row whose first cell `matches`; false when none does. The
  // cells of that column are gathered into `seen` for the refusal.
  template <class Matches>
  bool SelectRow(const std::string& screen, Matches matches, std::string& seen);

  NoScreenEvents events_;  // what the screens say goes unheard
  AppServices services_;
  ScreenHost host_{services_.container(), events_};
};

}  // namespace trf
