// The class numbers of the reference business objects and the parent kinds the container's
// ClassDependsOn answers for them.
#pragma once

#include <cstdint>

namespace trf::classes {

inline constexpr int16_t kHomes = 1;
inline constexpr int16_t kHomeMonths = 2;
inline constexpr int16_t kResidents = 3;
inline constexpr int16_t kFamilyGroups = 4;
inline constexpr int16_t kExpenseCategories = 5;
inline constexpr int16_t kMonthlyExpenses = 6;

// Parent kinds: the records belong to the current home, or to the current month record.
inline constexpr int32_t kDependsOnNothing = 0;
inline constexpr int32_t kDependsOnHome = 4;
inline constexpr int32_t kDependsOnMonth = 5;

}  // namespace trf::classes
