// Programmatic identifiers of the sibling classes the library creates new, and of the library's
// own public classes.
#pragma once

#include <string_view>

namespace kw::class_ids {

// SharedProcedures, which every form creates for itself.
inline constexpr std::string_view kSharedProcedures = "KW_UIShared.SharedProcedures";
// The library's published form contract, whose members do nothing.
inline constexpr std::string_view kFormContract = "KW_UIShared.I_FRM_Shared";
// The rich-text toolbar's controller.
inline constexpr std::string_view kRtfController = "KW_UIShared.RtfController";

// The forms-persist object (TrfFormsPersist), created by every SharedProcedures.
inline constexpr std::string_view kFormsPersist = "KW_UIPersist.TrfFormsPersist";
// The container locator (ContainerLocator), created by every SharedProcedures.
inline constexpr std::string_view kContainerLocator = "KW_UIContainerInterface.ContainerLocator";
// The feedback dialog (FeedbackForm), created by a SharedProcedures at its first message.
inline constexpr std::string_view kFeedbackForm = "ZB_MsgBox.FeedbackForm";
// The database resource (DBResource), created at its first request.
inline constexpr std::string_view kDBResource = "KW_DB.DBResource";
// The query object (DBQuery).
inline constexpr std::string_view kDBQuery = "KW_DB.DBQuery";
// The error log (ErrorLog), created where a member traps an error.
inline constexpr std::string_view kErrorLog = "KW_ErrorLog.ErrorLog";

// Record-group validators are registered under this prefix followed by the business object's
// class name from its third character.
inline constexpr std::string_view kRecordGroupPrefix = "KW01.RG";

}  // namespace kw::class_ids
