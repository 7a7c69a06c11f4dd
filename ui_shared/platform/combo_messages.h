// The combo-box window messages that the library sends and the combo-box widgets answer: dropped
// state, show drop-down, find exact, find prefix and select item; -1 answers "not found".
#pragma once

#include <cstdint>

namespace kw::combo_messages {

// Finds the first item after the index in wparam, wrapping round, that begins with the text in
// lparam, without regard to case; its 0-based index or kNotFound.
inline constexpr uint32_t kFindString = 0x014C;
// Selects the item at 0-based index wparam (-1 none); the index, or kNotFound beyond the list.
inline constexpr uint32_t kSetCurSel = 0x014E;
// Opens (wparam 1) or closes (0) the drop-down list.
inline constexpr uint32_t kShowDropDown = 0x014F;
// Answers 1 while the drop-down list is open.
inline constexpr uint32_t kGetDroppedState = 0x0157;
// Searches for an item equal to the text in lparam, without regard to case, after the item at
// wparam (-1 from the top) and round to the top; its 0-based index or kNotFound.
inline constexpr uint32_t kFindStringExact = 0x0158;
// The answer of a search that found nothing.
inline constexpr int64_t kNotFound = -1;

}  // namespace kw::combo_messages
