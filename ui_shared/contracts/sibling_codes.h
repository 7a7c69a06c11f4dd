// The values of the siblings that the library's members test: the business objects' SaveMode that
// keeps changes until SaveBatch, and the container's ClassDependsOn answers for the kind of parent.
#pragma once

#include <cstdint>

namespace kw {

// A business object's SaveMode that keeps changes until SaveBatch.
inline constexpr int32_t kSaveModeBatch = 4;
// ClassDependsOn: the class's records have no parent.
inline constexpr int32_t kParentNone = 0;
// ClassDependsOn: the class's records belong to a home.
inline constexpr int32_t kParentIsHome = 4;
// ClassDependsOn: the class's records belong to a month record.
inline constexpr int32_t kParentIsMonthRecord = 5;

}  // namespace kw
