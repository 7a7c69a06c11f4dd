// The error sources of the library's parts that have no class identifier of their own; the public
// classes report under their identifiers in class_ids.h.
#pragma once

#include <string_view>

namespace kw {

inline constexpr std::string_view kRtfImagesClass = "KW_UIShared.frmRtfImages";

}  // namespace kw
