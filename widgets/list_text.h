// ListText: a list view as lines of text, for a program that shows its screen at a terminal and
// for a test that checks what a screen shows.
#pragma once

#include <string>

#include "widgets/list_view.h"

namespace kw::widgets {

// The list as a person reads it: a line of the column headers, then one line per item in order,
// the selected one marked with ">", each column as wide as its widest text. A column an item has no
// text for is left blank: an item added by the library's AddItem holds its key and its own text
// only, until the list is built again.
// For a screen: print a screen's list with it.
std::string ListText(ListView& list);

}  // namespace kw::widgets
