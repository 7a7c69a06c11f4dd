// Programmatic identifiers of the sibling classes the library creates new, and of the library's
// own public classes.
#pragma once

#include <string_view>

namespace kw::class_ids {

inline constexpr std::string_view kSharedProcedures = "KW_UIShared.SharedProcedures";
inline constexpr std::string_view kFormContract = "KW_UIShared.I_FRM_Shared";
inline constexpr std::string_view kRtfController = "KW_UIShared.RtfController";

inline constexpr std::string_view kFormsPersist = "KW_UIPersist.TrfFormsPersist";
inline constexpr std::string_view kContainerLocator = "KW_UIContainerInterface.ContainerLocator";
inline constexpr std::string_view kFeedbackForm = "ZB_MsgBox.FeedbackForm";
inline constexpr std::string_view kDBResource = "KW_DB.DBResource";
inline constexpr std::string_view kDBQuery = "KW_DB.DBQuery";
inline constexpr std::string_view kErrorLog = "KW_ErrorLog.ErrorLog";

// Record-group validators are registered under this prefix followed by the business object's
// class name from its third character.
inline constexpr std::string_view kRecordGroupPrefix = "KW01.RG";

}  // namespace kw::class_ids
