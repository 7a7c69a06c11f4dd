// The qualified class names that prefix the library's error locations.
#pragma once

#include <string_view>

namespace kw {

inline constexpr std::string_view kSharedProceduresClass = "KW_UIShared.SharedProcedures";
inline constexpr std::string_view kRtfControllerClass = "KW_UIShared.RtfController";
inline constexpr std::string_view kRtfImagesClass = "KW_UIShared.frmRtfImages";

}  // namespace kw
