// The form keys of the two screens that fix a missing context (the home, the month) and the month
// status that marks an active TRF: the values the library tests and sends the user to, for the
// program's own screens to use.
#pragma once

#include <cstdint>
#include <string_view>

namespace kw {

// The screen where a home is added or selected.
inline constexpr std::string_view kHomeFormKey = "KW_UI01____FRM_H_OurHome";
// The TRF Monthly Setup screen, where a month is made active.
inline constexpr std::string_view kMonthSetupFormKey = "KW_UI01____FRM_H_TRFSetup";
// The StatStatus of a month record whose TRF is active.
inline constexpr uint8_t kStatStatusActive = 1;

}  // namespace kw
