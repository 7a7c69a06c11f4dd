// ScreenView: what a screen shows, as plain data (list, fields, free lines), so that the front end
// renders every screen the same way and tests can look at it without a terminal.
#pragma once

#include <string>
#include <vector>

#include "ui_shared/platform/object.h"

namespace trf {

// A list of records as the user sees it: headers, rows of cell texts, the selected row.
struct ScreenList {
  std::vector<std::string> headers;
  std::vector<std::vector<std::string>> rows;
  int selected = -1;  // 0-based row, -1 when nothing is selected
};

// One data-entry field: its name for `set`, its value, and whether it has the focus or is locked.
struct ScreenField {
  std::string name;
  std::string value;
  bool active = false;
  bool read_only = false;
};

struct ScreenView {
  std::vector<std::string> lines;  // free text shown above the list
  bool has_list = false;
  ScreenList list;
  std::vector<ScreenField> fields;
};

// The headers, rows and selection of a headless list view (a "ListView" reached by member name).
ScreenList DescribeListView(const kw::ObjectPtr& list_view);

}  // namespace trf
