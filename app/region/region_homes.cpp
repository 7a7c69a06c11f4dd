// The homes of a made region at work, month by month.
#include "app/region/region_homes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/business/rules.h"
#include "app/data/sha256.h"
#include "app/data/trf_database.h"
#include "app/data/trf_tables.h"
#include "app/region/filed_report.h"
#include "app/screens/setup_screen.h"
#include "ui_shared/platform/dates.h"

namespace trf::region {

namespace {

namespace column = tables::column;

// The fee above which the residents' rule asks whether it is right (rule 3121); a person accepts it.
constexpr double kAskedFee = 6000;
constexpr int32_t kHighFeeRule = 3121;
// What each expense category costs a month per bed, in the order of the categories' keys.
constexpr double kPerBed[] = {140, 45, 520, 40};
// Why a filed month is reopened.
constexpr const char* kReopenReasons[] = {"A fee was entered twice; corrected.",
                                          "The region asked about a resident's fee; corrected.",
                                          "An admission was filed under the wrong month."};
// Entries per home in each phase of a month, about: what spreads a phase's moments.
constexpr int64_t kStartEntries = 30;
constexpr int64_t kWorkEntries = 7;
constexpr int64_t kCloseEntries = 2;

// Position (from 0) of `name` among `table`'s columns.
size_t At(const TableDescription& table, std::string_view name) {
  return static_cast<size_t>(table.Position(name) - 1);
}

// A row of `table` with `values` in its columns' order, version 1.
Row RowOf(const TableDescription& table, std::vector<Value> values) {
  if (values.size() != table.columns.size()) {
    throw std::logic_error("a made row of " + std::string(table.name) + " has the wrong number of values");
  }
  return Row{std::move(values), 1};
}

double Money(double amount) { return std::round(amount * 100) / 100; }

int64_t KeyOf(const Row& row) { return std::get<int64_t>(row.values.front()); }

}  // namespace

// A resident who stays from month to month (each month has a row of its own).
struct Person {
  std::string name;
  double birth = 0;
  double admission = 0;
  double fee = 0;
  int64_t group = 0;  // 0 for none
};

struct RegionHomes::Home {
  Home(const RegionShape& shape, int64_t key) : id(key), draws(shape.seed, key) {}
  int64_t MonthId() const { return KeyOf(month); }

  int64_t id;
  Draws draws;
  Row row;  // the home's own
  std::vector<std::string> desks;
  int beds = 0;
  double occupancy = 0;
  double usual_fee = 0;
  std::vector<Person> people;
  std::vector<Row> groups;
  // The month at work: its record, its rows (residents in the order of `people`), its notes'
  // paragraphs, the questions accepted on it, and its filings.
  Row month;
  int year = 0, month_number = 0;
  std::vector<Row> residents, expenses, filings;
  std::optional<Row> notes;
  std::vector<std::string> note_paragraphs;
  std::vector<AcceptedQuestion> accepted;
};

RegionStreams::RegionStreams(const std::string& uri, int64_t home_count)
    : homes(uri, tables::kHomes.name, ColumnsWithVersion(tables::kHomes)),
      months(uri, tables::kHomeMonths.name, ColumnsWithVersion(tables::kHomeMonths)),
      groups(uri, tables::kFamilyGroups.name, ColumnsWithVersion(tables::kFamilyGroups)),
      residents(uri, tables::kResidents.name, ColumnsWithVersion(tables::kResidents)),
      expenses(uri, tables::kMonthlyExpenses.name, ColumnsWithVersion(tables::kMonthlyExpenses)),
      notes(uri, tables::kMonthlyNotes.name, ColumnsWithVersion(tables::kMonthlyNotes)),
      filings(uri, tables::kMonthFilings.name, ColumnsWithVersion(tables::kMonthFilings)),
      entries(uri, tables::kChangeRecord.name, ChangeLog::EntryColumns()),
      heads(uri, tables::kChainHeads.name, {"S_HomesID", column::kChainDigest}), log(entries, home_count) {}

std::vector<std::string> RegionStreams::ColumnsWithVersion(const TableDescription& table) {
  std::vector<std::string> columns;
  for (const ColumnDescription& described : table.columns) columns.emplace_back(described.name);
  columns.emplace_back(kVersionColumn);
  return columns;
}

void RegionStreams::Finish() {
  log.WriteHeads(heads);
  for (CopyStream* stream : {&homes, &months, &groups, &residents, &expenses, &notes, &filings, &entries, &heads}) {
    stream->Finish();
  }
}

RegionHomes::RegionHomes(const RegionShape& shape, std::string administrator, RegionLookups lookups,
                         RegionStreams& streams)
    : shape_(shape), administrator_(std::move(administrator)), lookups_(std::move(lookups)), streams_(streams) {}

RegionHomes::~RegionHomes() = default;

std::string RegionHomes::DeskRole(const RegionShape& shape, int64_t home, bool second) {
  char name[32];
  std::snprintf(name, sizeof name, "_h%05lld", static_cast<long long>(home));
  return shape.desk_prefix + name + (second ? "_b" : "");
}

Stamp RegionHomes::Desk(const Home& home) {
  const bool second = home.desks.size() > 1 && index_ % 3 == 2;
  Stamp stamp{home.desks[second ? 1 : 0], clock_.Text()};
  clock_.Tick();
  return stamp;
}

void RegionHomes::Open() {
  clock_.Phase(RegionClock::At(shape_.first_year, shape_.first_month, 1) - 7 * 86400, 86400, shape_.homes);
  for (int64_t id = 1; id <= shape_.homes; ++id) {
    auto home = std::make_unique<Home>(shape_, id);
    Draws& draws = home->draws;
    home->beds = std::clamp(static_cast<int>(std::lround(draws.LogNormal(spread::kMedianBeds, spread::kBedsSigma))),
                            spread::kFewestBeds, spread::kMostBeds);
    home->occupancy = draws.Uniform(spread::kLeastOccupancy, spread::kMostOccupancy);
    home->usual_fee = std::round(draws.Uniform(spread::kLeastUsualFee, spread::kMostUsualFee) / 50) * 50;
    home->desks.push_back(DeskRole(shape_, id));
    if (draws.Chance(spread::kSecondDesk)) home->desks.push_back(DeskRole(shape_, id, true));
    char number[32];
    std::snprintf(number, sizeof number, "H-%05lld", static_cast<long long>(id));
    char region[24];
    std::snprintf(region, sizeof region, "R%02lld", static_cast<long long>((id - 1) / 250 + 1));
    home->row =
        RowOf(tables::kHomes, {id, std::string(region), std::string(number), HomeName(id), int64_t{home->beds}});
    streams_.log.Added({administrator_, clock_.Text()}, tables::kHomes, home->row, id, 0);
    clock_.Tick();
    streams_.homes.Write(home->row);
    for (const std::string& desk : home->desks) desks_.emplace_back(desk, id);
    counts_.desks += static_cast<int64_t>(home->desks.size());
    homes_.push_back(std::move(home));
  }
  counts_.homes = shape_.homes;
}

void RegionHomes::Work(int index) {
  index_ = index;
  const int month = (shape_.first_month - 1 + index) % 12 + 1;
  const int year = shape_.first_year + (shape_.first_month - 1 + index) / 12;
  const int64_t homes = shape_.homes;
  if (index > 0) {
    clock_.Phase(RegionClock::At(year, month, 1), 8 * 3600, homes * kCloseEntries);
    for (auto& home : homes_) CloseMonth(*home);
  }
  clock_.Phase(RegionClock::At(year, month, 1, 8), 40 * 3600, homes * kStartEntries);
  for (auto& home : homes_) {
    home->year = year;
    home->month_number = month;
    StartMonth(*home, index);
  }
  clock_.Phase(RegionClock::At(year, month, 3), 24 * 86400, homes * kWorkEntries);
  for (auto& home : homes_) WorkMonth(*home);
}

void RegionHomes::Close() {
  for (auto& home : homes_) WriteMonthRows(*home);
  counts_.changes = streams_.log.Entries();
}

void RegionHomes::StartMonth(Home& home, int index) {
  const int64_t month_id = next_month_++;
  const double serial = kw::dates::Serial(home.year, home.month_number, 1);
  home.month = RowOf(tables::kHomeMonths, {month_id, home.id, serial, lookups_.trf_type, int64_t{0}});
  home.residents.clear();
  home.expenses.clear();
  home.filings.clear();
  home.notes.reset();
  home.note_paragraphs.clear();
  home.accepted.clear();
  // The month is made, then started: two saves of TRF Setup.
  streams_.log.Added(Desk(home), tables::kHomeMonths, home.month, home.id, 0);
  const size_t status = At(tables::kHomeMonths, column::kStatStatus);
  streams_.log.Changed(Desk(home), tables::kHomeMonths, month_id, home.id, 0, column::kStatStatus, int64_t{0},
                       int64_t{kMonthActive});
  home.month.values[status] = int64_t{kMonthActive};
  ++home.month.version;
  ++counts_.months;

  Draws& draws = home.draws;
  std::erase_if(home.people, [&](const Person&) { return draws.Chance(spread::kDepartures); });
  if (home.month_number == 1 && index > 0) {
    for (Person& person : home.people) person.fee = std::round(person.fee * (1 + spread::kJanuaryRaise));
  }
  const Stamp stamp = Desk(home);
  const int wanted =
      std::clamp(static_cast<int>(std::lround(home.beds * home.occupancy)) + draws.Between(-1, 1), 1, home.beds);
  while (static_cast<int>(home.people.size()) < wanted) Admit(home, index, stamp);
  // The month's residents, saved as one batch.
  for (const Person& person : home.people) {
    const int64_t key = next_resident_++;
    Row& resident = home.residents.emplace_back(
        RowOf(tables::kResidents, {key, month_id, person.name, person.birth, person.admission, person.fee,
                                   person.group ? Value(person.group) : Value()}));
    streams_.log.Added(stamp, tables::kResidents, resident, home.id, month_id);
    if (person.fee <= kAskedFee) continue;
    const std::string message = "A monthly fee of " + AmountText(person.fee) + " is unusually high. Is it right?";
    streams_.log.Accepted(stamp, tables::kResidents, key, home.id, month_id, column::kMonthlyFee,
                          *ValueText(person.fee), kHighFeeRule, message);
    AcceptedQuestion& accepted = home.accepted.emplace_back();
    accepted.question.screen = "Residents";
    accepted.question.record_key = std::to_string(key);
    accepted.question.record = person.name;
    accepted.question.field = tables::kResidents.columns[At(tables::kResidents, column::kMonthlyFee)].caption;
    accepted.question.rule = kHighFeeRule;
    accepted.question.message = message;
    accepted.question.accepted = true;
    accepted.accepted_by = stamp.who;
    accepted.accepted_at = stamp.when;
  }
  counts_.residents += static_cast<int64_t>(home.residents.size());
}

void RegionHomes::Admit(Home& home, int index, const Stamp& stamp) {
  Draws& draws = home.draws;
  Person person;
  std::string surname = Surname(draws);
  if (draws.Chance(spread::kInFamilyGroup)) {
    const size_t name_at = At(tables::kFamilyGroups, column::kGroupName);
    if (!home.groups.empty() && draws.Chance(spread::kJoinsGroup)) {
      const Row& group = home.groups[static_cast<size_t>(draws.Between(0, static_cast<int>(home.groups.size()) - 1))];
      person.group = KeyOf(group);
      const std::string& name = std::get<std::string>(group.values[name_at]);
      surname = name.substr(0, name.rfind(" family"));
    } else {
      person.group = next_group_++;
      home.groups.push_back(RowOf(tables::kFamilyGroups,
                                  {person.group, home.id, surname + " family", TextOrNull(Address(draws)),
                                   draws.Chance(spread::kMailOutFee) ? Value(Money(draws.Uniform(5, 15))) : Value(),
                                   draws.Chance(spread::kAnnualFee) ? Value(Money(draws.Uniform(20, 60))) : Value()}));
      streams_.log.Added(stamp, tables::kFamilyGroups, home.groups.back(), home.id, 0);
      streams_.groups.Write(home.groups.back());
      ++counts_.family_groups;
    }
  }
  person.name = PersonName(draws, surname);
  person.birth = kw::dates::Serial(draws.Between(1924, 1950), draws.Between(1, 12), draws.Between(1, 28));
  const double month_start = kw::dates::Serial(home.year, home.month_number, 1);
  // The first month's residents were there before it; later ones come during their month.
  person.admission = index == 0 ? month_start - draws.Between(30, 3000) : month_start + draws.Between(0, 27);
  person.fee = draws.Chance(spread::kHighFee) ? std::round(draws.Uniform(6100, 8000) / 50) * 50
                                              : std::round(home.usual_fee * draws.Uniform(0.85, 1.2) / 5) * 5;
  home.people.push_back(std::move(person));
}

void RegionHomes::WorkMonth(Home& home) {
  Draws& draws = home.draws;
  const int64_t month_id = home.MonthId();
  const Stamp stamp = Desk(home);
  size_t position = 0;
  for (const auto& [category, name] : lookups_.categories) {
    const double per_bed = kPerBed[position++ % std::size(kPerBed)];
    Row& expense = home.expenses.emplace_back(
        RowOf(tables::kMonthlyExpenses,
              {next_expense_++, month_id, category, Money(per_bed * home.beds * draws.Uniform(0.8, 1.2))}));
    streams_.log.Added(stamp, tables::kMonthlyExpenses, expense, home.id, month_id);
  }
  counts_.expenses += static_cast<int64_t>(home.expenses.size());
  for (size_t resident = 0; resident < home.residents.size(); ++resident) {
    if (draws.Chance(spread::kFeeCorrections)) CorrectFee(home, resident, Desk(home));
  }
  if (!draws.Chance(spread::kNotes)) return;
  Notes notes = DrawNotes(draws);
  home.notes = RowOf(tables::kMonthlyNotes, {month_id, notes.rtf});
  streams_.log.Added(Desk(home), tables::kMonthlyNotes, *home.notes, home.id, month_id);
  if (draws.Chance(spread::kNotesRevised)) {
    Notes revised = DrawNotes(draws);
    streams_.log.Changed(Desk(home), tables::kMonthlyNotes, month_id, home.id, month_id, "H_NotesRTF", notes.rtf,
                         revised.rtf);
    home.notes->values[1] = revised.rtf;
    ++home.notes->version;
    notes = std::move(revised);
  }
  home.note_paragraphs = std::move(notes.paragraphs);
  ++counts_.notes;
}

void RegionHomes::CorrectFee(Home& home, size_t resident, const Stamp& stamp) {
  Row& row = home.residents[resident];
  const size_t fee_at = At(tables::kResidents, column::kMonthlyFee);
  const double before = std::get<double>(row.values[fee_at]);
  const int change = home.draws.Between(1, 20) * (home.draws.Chance(0.5) ? 5 : -5);
  const double after = std::max(0.0, before + change);
  streams_.log.Changed(stamp, tables::kResidents, KeyOf(row), home.id, home.MonthId(), column::kMonthlyFee, before,
                       after);
  row.values[fee_at] = after;
  ++row.version;
  home.people[resident].fee = after;
}

void RegionHomes::CloseMonth(Home& home) {
  const Stamp stamp = Desk(home);
  File(home, stamp);
  if (home.draws.Chance(spread::kReopened)) {
    Reopen(home, Desk(home));
    if (!home.residents.empty()) {
      CorrectFee(home, static_cast<size_t>(home.draws.Between(0, static_cast<int>(home.residents.size()) - 1)),
                 Desk(home));
    }
    File(home, Desk(home));
    ++counts_.reopened;
  }
  WriteMonthRows(home);
}

void RegionHomes::File(Home& home, const Stamp& stamp) {
  // The send-off passed: the month is closed, then filed, in one transaction.
  const size_t status = At(tables::kHomeMonths, column::kStatStatus);
  streams_.log.Changed(stamp, tables::kHomeMonths, home.MonthId(), home.id, 0, column::kStatStatus,
                       int64_t{kMonthActive}, int64_t{kMonthClosed});
  home.month.values[status] = int64_t{kMonthClosed};
  ++home.month.version;
  const std::string report = FiledReportJson({.home_number = std::get<std::string>(home.row.values[2]),
                                              .home_name = std::get<std::string>(home.row.values[3]),
                                              .trf_type = lookups_.trf_type_description,
                                              .year = home.year,
                                              .month = home.month_number,
                                              .residents = home.residents,
                                              .groups = home.groups,
                                              .expenses = home.expenses,
                                              .categories = lookups_.categories,
                                              .notes = home.note_paragraphs,
                                              .accepted = home.accepted,
                                              .filed_by = stamp.who,
                                              .filed_at = clock_.Serial()});
  // The filing keeps the head of the home's chain before its own entry.
  Row& filing = home.filings.emplace_back(
      RowOf(tables::kMonthFilings, {next_filing_++, home.MonthId(), stamp.who, stamp.when, Value(), Value(), Value(),
                                    report, Sha256Hex(report), streams_.log.Head(home.id)}));
  streams_.log.Added(stamp, tables::kMonthFilings, filing, home.id, home.MonthId());
  ++counts_.filings;
}

void RegionHomes::Reopen(Home& home, const Stamp& stamp) {
  Row& filing = home.filings.back();
  const std::string reason = home.draws.Pick(kReopenReasons);
  const int64_t key = KeyOf(filing);
  const std::pair<const char*, std::string> reopening[] = {
      {"H_ReopenedBy", stamp.who}, {"H_ReopenedAt", stamp.when}, {"H_ReopenReason", reason}};
  for (const auto& [name, value] : reopening) {
    streams_.log.Changed(stamp, tables::kMonthFilings, key, home.id, home.MonthId(), name, Value(), value);
    filing.values[At(tables::kMonthFilings, name)] = value;
  }
  ++filing.version;
  const size_t status = At(tables::kHomeMonths, column::kStatStatus);
  streams_.log.Changed(stamp, tables::kHomeMonths, home.MonthId(), home.id, 0, column::kStatStatus,
                       int64_t{kMonthClosed}, int64_t{kMonthActive});
  home.month.values[status] = int64_t{kMonthActive};
  ++home.month.version;
}

void RegionHomes::WriteMonthRows(Home& home) {
  if (home.month.values.empty()) return;
  streams_.months.Write(home.month);
  for (const Row& resident : home.residents) streams_.residents.Write(resident);
  for (const Row& expense : home.expenses) streams_.expenses.Write(expense);
  if (home.notes) streams_.notes.Write(*home.notes);
  for (const Row& filing : home.filings) streams_.filings.Write(filing);
  home.month.values.clear();
}

}  // namespace trf::region
