// The rule numbers every business class shares: the user sees them in feedback dialogs, so each
// kind of refusal keeps its own number here, and no two kinds share one.
#pragma once

#include <cstdint>

#include "app/data/database.h"

namespace trf::rule_numbers {

// A value of the wrong kind, a missing value, an unknown key, a negative amount.
inline constexpr int32_t kNotANumber = 3001;
inline constexpr int32_t kNotADate = 3002;
inline constexpr int32_t kRequired = 3003;
inline constexpr int32_t kUnknownKey = 3004;
inline constexpr int32_t kNegative = 3005;
// An amount beyond its field's declared range, or a number too large to hold at all.
inline constexpr int32_t kOutOfRange = 3006;
// A date outside the years the application can mean (hard), or more than a month ahead (question).
inline constexpr int32_t kImplausibleDate = 3007;
inline constexpr int32_t kFutureDate = 3008;
// A text longer than its field holds.
inline constexpr int32_t kTooLong = 3009;
// The record changed in the database since it was read: the save would overwrite that change.
inline constexpr int32_t kRecordChanged = 3901;
// The record cannot be removed: other records still refer to it.
inline constexpr int32_t kStillReferred = 3902;
// A database step failed (busy, full, read-only): nothing was written.
inline constexpr int32_t kDatabaseStepFailed = 3903;
// The database server could not be reached (down at start-up, or the connection lost in the middle
// of a save): nothing was written, and the edits stay. The data layer raises it.
inline constexpr int32_t kServerUnreachable = kServerUnreachableError;
// Another desk held the records a step needed longer than this desk waits (a lock, a deadlock):
// nothing was written, and the edits stay. The data layer raises it; the business object words it
// with the records it was for.
inline constexpr int32_t kHeldByAnotherDesk = kHeldByAnotherDeskError;

}  // namespace trf::rule_numbers
