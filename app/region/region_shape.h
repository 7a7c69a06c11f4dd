// RegionShape: what a made region holds: how many homes, how many months each has worked, the
// seed that makes the same region again, and how the desks' roles are named. The spreads of a
// region's sizes (beds, occupancy, turnover, fees, family groups, corrections, notes, reopened
// months) are fixed below, each stated once: the README and the capacity page quote them.
#pragma once

#include <cstdint>
#include <string>

namespace trf::region {

struct RegionShape {
  int homes = 5000;
  // Months each home has worked; the last is its active month, every other one is filed.
  int months = 24;
  uint64_t seed = 1;
  // The region's first month.
  int first_year = 2025;
  int first_month = 1;
  // The desks' role names: "desk_h00017" for home 17, "desk_h00017_b" for its second desk.
  std::string desk_prefix = "desk";
};

// The spreads of a region's sizes, as real use has them.
namespace spread {
// Beds per home: log-normal around a median, within bounds.
inline constexpr double kMedianBeds = 24;
inline constexpr double kBedsSigma = 0.6;
inline constexpr int kFewestBeds = 4;
inline constexpr int kMostBeds = 120;
// A home's share of beds taken, fixed per home; one or two either way from month to month.
inline constexpr double kLeastOccupancy = 0.80;
inline constexpr double kMostOccupancy = 1.0;
// Residents who leave in a month; their beds are taken again by new residents.
inline constexpr double kDepartures = 0.03;
// A home's usual monthly fee, and a resident's own around it; a few pay far more (and a person
// accepts the question their fee raises).
inline constexpr double kLeastUsualFee = 1800;
inline constexpr double kMostUsualFee = 3200;
inline constexpr double kHighFee = 0.02;
// Fees rise in January.
inline constexpr double kJanuaryRaise = 0.03;
// New residents in a family group; of those, the share that joins a group of the home already there.
inline constexpr double kInFamilyGroup = 0.4;
inline constexpr double kJoinsGroup = 0.3;
// Groups that pay a monthly mail-out fee, and an annual mailing fee.
inline constexpr double kMailOutFee = 0.3;
inline constexpr double kAnnualFee = 0.2;
// Residents whose fee a desk corrects during a month.
inline constexpr double kFeeCorrections = 0.05;
// Months with notes, and notes written a second time.
inline constexpr double kNotes = 0.6;
inline constexpr double kNotesRevised = 0.2;
// Filed months reopened at once, corrected and filed again.
inline constexpr double kReopened = 0.01;
// Homes with a second desk, which works one month in three.
inline constexpr double kSecondDesk = 0.3;
}  // namespace spread

}  // namespace trf::region
