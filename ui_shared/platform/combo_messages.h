// The combo-box window messages that the library sends and the combo-box widgets answer: dropped
// state, show drop-down, find exact, find prefix and select item; -1 answers "not found".
#pragma once

#include <cstdint>

namespace kw::combo_messages {

inline constexpr uint32_t kFindString = 0x014C;
inline constexpr uint32_t kSetCurSel = 0x014E;
inline constexpr uint32_t kShowDropDown = 0x014F;
inline constexpr uint32_t kGetDroppedState = 0x0157;
inline constexpr uint32_t kFindStringExact = 0x0158;
inline constexpr int64_t kNotFound = -1;

}  // namespace kw::combo_messages
