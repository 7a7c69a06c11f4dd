// RegionHomes: the homes of a made region at work, month after month, as their desks would work
// through the TRF: each month started with the residents who stay and those admitted, its expenses
// and notes entered and some fees corrected, then closed and filed with its report, now and then
// reopened, corrected and filed again. Every row goes to its table's COPY as it ends the month, and
// every change to the change record as it happens.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/region/change_log.h"
#include "app/region/copy_stream.h"
#include "app/region/draws.h"
#include "app/region/region_clock.h"
#include "app/region/region_names.h"
#include "app/region/region_shape.h"

namespace trf::region {

// One COPY per table the homes write, and the change record's log.
struct RegionStreams {
  RegionStreams(const std::string& uri, int64_t home_count);
  // Ends every COPY: the heads of the chains first written out.
  void Finish();
  // The columns of `table` as a COPY of its rows names them: its description's, then the version.
  static std::vector<std::string> ColumnsWithVersion(const TableDescription& table);

  CopyStream homes, months, groups, residents, expenses, notes, filings, entries, heads;
  ChangeLog log;
};

// What the homes choose from, as the lookups of the database hold it: the TRF type every home files
// (its code and description) and its expense categories by key.
struct RegionLookups {
  std::string trf_type;
  std::string trf_type_description;
  std::map<int64_t, std::string> categories;
};

// What a made region holds, counted as it was made.
struct RegionCounts {
  int64_t homes = 0, desks = 0, months = 0, filings = 0, reopened = 0, residents = 0, family_groups = 0, expenses = 0,
          notes = 0, changes = 0;
};

class RegionHomes {
 public:
  // The homes of `shape`, written by the administrator `administrator` (a role) and their desks.
  RegionHomes(const RegionShape& shape, std::string administrator, RegionLookups lookups, RegionStreams& streams);
  ~RegionHomes();
  RegionHomes(const RegionHomes&) = delete;
  RegionHomes& operator=(const RegionHomes&) = delete;

  // Adds the homes, as the administrator does once.
  void Open();
  // Works month `index` (0 for the first): the month before closed and filed, this one started and
  // worked. The last month stays active.
  void Work(int index);
  // Writes the rows of the active months.
  void Close();
  const RegionCounts& Counts() const { return counts_; }
  // Each desk's role and the home it works on, for the administrator to grant.
  const std::vector<std::pair<std::string, int64_t>>& Desks() const { return desks_; }

  // The role of the desk of home `home` (the second desk's with `second`).
  static std::string DeskRole(const RegionShape& shape, int64_t home, bool second = false);

 private:
  struct Home;

  void StartMonth(Home& home, int index);
  void WorkMonth(Home& home);
  void CloseMonth(Home& home);
  void File(Home& home, const Stamp& stamp);
  void Reopen(Home& home, const Stamp& stamp);
  void CorrectFee(Home& home, size_t resident, const Stamp& stamp);
  void Admit(Home& home, int index, const Stamp& stamp);
  void WriteMonthRows(Home& home);
  // The stamp of the desk at work on `home` this month, at the clock's next moment.
  Stamp Desk(const Home& home);

  const RegionShape shape_;
  const std::string administrator_;
  const RegionLookups lookups_;
  RegionStreams& streams_;
  RegionClock clock_;
  std::vector<std::unique_ptr<Home>> homes_;
  int index_ = 0;  // the month at work
  // The next key of each counted table.
  int64_t next_month_ = 1, next_group_ = 1, next_resident_ = 1, next_expense_ = 1, next_filing_ = 1;
  RegionCounts counts_;
  std::vector<std::pair<std::string, int64_t>> desks_;
};

}  // namespace trf::region
