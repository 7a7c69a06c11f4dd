// The names of the control and collection members that the library reaches by name, in one place
// for the library's calls and the widgets' member tables, so that a rename breaks the build.
#pragma once

#include <string_view>

namespace kw::member {

// The default member, reached by the empty name.
inline constexpr std::string_view kDefault{};

// ---- Editable fields (text boxes, combo boxes, rich-text boxes) ----

inline constexpr std::string_view kText = "Text";                    // the text the field shows
inline constexpr std::string_view kSelStart = "SelStart";            // where the selection starts
inline constexpr std::string_view kSelLength = "SelLength";          // how many characters are selected
inline constexpr std::string_view kBackColor = "BackColor";          // the background colour
inline constexpr std::string_view kLocked = "Locked";                // whether the user may edit the text
inline constexpr std::string_view kHelpContextID = "HelpContextID";  // the help context shown for the control
inline constexpr std::string_view kHwnd = "hwnd";                    // the control's window handle
inline constexpr std::string_view kSetFocus = "SetFocus";            // gives the control the focus
inline constexpr std::string_view kList = "List";                    // a combo box's entries, by position

// ---- The selection properties of a rich-text box ----

inline constexpr std::string_view kSelBold = "SelBold";            // bold type in the selection
inline constexpr std::string_view kSelItalic = "SelItalic";        // italic type in the selection
inline constexpr std::string_view kSelUnderline = "SelUnderline";  // underlined type in the selection
inline constexpr std::string_view kSelAlignment = "SelAlignment";  // the alignment of the selected paragraphs
inline constexpr std::string_view kSelBullet = "SelBullet";        // bullets on the selected paragraphs
inline constexpr std::string_view kSelColor = "SelColor";          // the colour of the selected text

// ---- Lists, trees and their collections ----

inline constexpr std::string_view kListItems = "ListItems";          // a list view's items
inline constexpr std::string_view kColumnHeaders = "ColumnHeaders";  // a list view's column headers
inline constexpr std::string_view kListSubItems = "ListSubItems";    // a list item's further columns
inline constexpr std::string_view kNodes = "Nodes";                  // a tree view's nodes
inline constexpr std::string_view kSelectedItem = "SelectedItem";    // the selected entry of a list or tree
inline constexpr std::string_view kSelected = "Selected";            // whether an entry is selected
inline constexpr std::string_view kEnsureVisible = "EnsureVisible";  // scrolls an entry into view
inline constexpr std::string_view kKey = "Key";                      // an entry's key
inline constexpr std::string_view kCount = "Count";                  // the number of entries of a collection
inline constexpr std::string_view kItem = "Item";                    // an entry of a collection, by key or position
inline constexpr std::string_view kAdd = "Add";                      // adds an entry to a collection
inline constexpr std::string_view kRemove = "Remove";                // removes an entry from a collection
inline constexpr std::string_view kClear = "Clear";                  // empties a collection

// The row a record-error list's grid shows as current.
inline constexpr std::string_view kRow = "Row";

}  // namespace kw::member
