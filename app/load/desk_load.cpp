// A desk of the load driver at work.
#include "app/load/desk_load.h"

#include <stdexcept>

#include "app/business/business_classes.h"
#include "app/business/rule_numbers.h"
#include "app/data/trf_database.h"

namespace trf::load {

namespace {

// The fees the desk's corrections move between: below any question the residents' rules ask.
constexpr double kLowFee = 2000;
constexpr double kHighFee = 2005;

// The active month of the desk's home, as the desk sees its months.
kw::Variant ActiveMonth(Database& database) {
  auto query = database.Prepare("SELECT H_HomeMonthlyStatsID FROM tbH_HomeMonthlyStats WHERE StatStatus = 1");
  if (!query->Step()) throw std::runtime_error("the desk at " + database.Path() + " sees no active month");
  return query->Column(0);
}

// What refused a save, sorted by the server's own words (in the error's trail) and the rule.
void Count(const kw::Error& error, DeskOutcome& outcome) {
  const std::string& said = error.Description();
  if (error.Number() == rule_numbers::kRecordChanged) {
    ++outcome.refused_as_changed;
  } else if (said.find("deadlock detected") != std::string::npos) {
    ++outcome.deadlocks;
  } else if (said.find("lock timeout") != std::string::npos) {
    ++outcome.lock_timeouts;
  } else {
    if (outcome.other_failures++ == 0) outcome.first_failure = SentenceOf(error);
  }
}

}  // namespace

struct Desk::State {
  explicit State(const std::string& uri)
      : database(OpenTrfDatabase(uri)), residents(database), month(ActiveMonth(*database)) {
    residents.Load(month);
  }
  std::shared_ptr<Database> database;
  LIResidents residents;
  kw::Variant month;
  int32_t next = 0;  // the position of the desk's last resident saved
};

Desk::Desk(const std::string& uri) : state_(std::make_unique<State>(uri)) {
  if (state_->residents.Count() == 0) {
    throw std::runtime_error("the desk at " + state_->database->Path() + " has no resident to save");
  }
}

Desk::~Desk() = default;

void Desk::Work(std::chrono::steady_clock::time_point until) {
  State& state = *state_;
  LIResidents& residents = state.residents;
  while (std::chrono::steady_clock::now() < until) {
    const int32_t position = state.next % residents.Count() + 1;
    ++state.next;
    residents.CurrentIndex(kw::Variant::Long(position));
    const auto key = static_cast<int64_t>(residents.FieldValueAt(kw::Variant::Long(position), 1).ToDouble());
    const double fee =
        residents.FieldValueAt(kw::Variant::Long(position), LIResidents::kMonthlyFee).ToDouble() == kLowFee ? kHighFee
                                                                                                            : kLowFee;
    const auto started = std::chrono::steady_clock::now();
    bool saved = false;
    try {
      residents.FieldValue(LIResidents::kMonthlyFee, kw::Variant::Double(fee));
      if (residents.Save(false)) {
        residents.SaveBatch();
        saved = true;
      } else if (outcome_.other_failures++ == 0) {
        outcome_.first_failure = "A rule of the residents refused a fee of " + std::to_string(fee) + ".";
      }
    } catch (const kw::Error& error) {
      Count(error, outcome_);
    }
    if (!saved) {
      residents.Load(state.month);  // afresh, as a person reads the stored records again
      continue;
    }
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - started;
    outcome_.latencies_ms.push_back(took.count());
    outcome_.saved_fees[key] = fee;
    ++outcome_.saves_of[key];
  }
}

}  // namespace trf::load
