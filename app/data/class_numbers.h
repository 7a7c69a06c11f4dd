// The class numbers of the reference business objects. The parent kinds the container's
// ClassDependsOn answers for them are the library's (ui_shared/contracts/sibling_codes.h).
#pragma once

#include <cstdint>

namespace trf::classes {

inline constexpr int16_t kHomes = 1;
inline constexpr int16_t kHomeMonths = 2;
inline constexpr int16_t kResidents = 3;
inline constexpr int16_t kFamilyGroups = 4;
inline constexpr int16_t kExpenseCategories = 5;
inline constexpr int16_t kMonthlyExpenses = 6;

}  // namespace trf::classes
