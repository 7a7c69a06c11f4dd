// ReportSession: the application without a front end, for making a month's report from a script or
// a scheduler (the program `trf-report`, the benchmarks): the services on a database, the screens
// on their host, and the home and month chosen by their keys through the month service. Questions
// are declined and notices go unheard: nobody is there to answer them.
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

  // Makes the home numbered `home_number` and its month of `year` and `month` (1 to 12) current. A
  // ScreenRefusal naming what there is to choose from when the database has no such home or month.
  void Choose(const std::string& home_number, int year, int month);
  // The report of the chosen month (CurrentMonthReport): as filed, or made by `made_by` now.
  MonthReport Report(const std::string& made_by);

  ScreenHost& Host() { return host_; }
  AppServices& Services() { return services_; }

 private:
  NoScreenEvents events_;  // what the screens say goes unheard
  AppServices services_;
  ScreenHost host_{services_.container(), events_};
};

}  // namespace trf
