// The values of the siblings that the library's members test: the business objects' SaveMode that
// keeps changes until SaveBatch, and the container's ClassDependsOn answers for the kind of parent.
#pragma once

#include <cstdint>

namespace kw {

inline constexpr int32_t kSaveModeBatch = 4;
inline constexpr int32_t kParentNone = 0;
inline constexpr int32_t kParentIsHome = 4;
inline constexpr int32_t kParentIsMonthRecord = 5;

}  // namespace kw
