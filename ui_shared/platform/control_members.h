// The names of the control and collection members that the library reaches by name, in one place
// for the library's calls and the widgets' member tables, so that a rename breaks the build.
#pragma once

#include <string_view>

namespace kw::member {

inline constexpr std::string_view kDefault{};

// Editable fields (text boxes, combo boxes, rich-text boxes).
inline constexpr std::string_view kText = "Text";
inline constexpr std::string_view kSelStart = "SelStart";
inline constexpr std::string_view kSelLength = "SelLength";
inline constexpr std::string_view kBackColor = "BackColor";
inline constexpr std::string_view kLocked = "Locked";
inline constexpr std::string_view kHelpContextID = "HelpContextID";
inline constexpr std::string_view kHwnd = "hwnd";
inline constexpr std::string_view kSetFocus = "SetFocus";
inline constexpr std::string_view kList = "List";

// The selection properties of a rich-text box.
inline constexpr std::string_view kSelBold = "SelBold";
inline constexpr std::string_view kSelItalic = "SelItalic";
inline constexpr std::string_view kSelUnderline = "SelUnderline";
inline constexpr std::string_view kSelAlignment = "SelAlignment";
inline constexpr std::string_view kSelBullet = "SelBullet";
inline constexpr std::string_view kSelColor = "SelColor";

// Lists, trees and their collections.
inline constexpr std::string_view kListItems = "ListItems";
inline constexpr std::string_view kColumnHeaders = "ColumnHeaders";
inline constexpr std::string_view kListSubItems = "ListSubItems";
inline constexpr std::string_view kNodes = "Nodes";
inline constexpr std::string_view kSelectedItem = "SelectedItem";
inline constexpr std::string_view kSelected = "Selected";
inline constexpr std::string_view kEnsureVisible = "EnsureVisible";
inline constexpr std::string_view kKey = "Key";
inline constexpr std::string_view kCount = "Count";
inline constexpr std::string_view kItem = "Item";
inline constexpr std::string_view kAdd = "Add";
inline constexpr std::string_view kRemove = "Remove";
inline constexpr std::string_view kClear = "Clear";

// The grid of a record-error list.
inline constexpr std::string_view kRow = "Row";

}  // namespace kw::member
