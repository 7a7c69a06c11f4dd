// ScreenView: what a screen shows, as data (the home and month it works in, a list, fields with their
// colours and states, a choice, the rich-text box), so that every front end draws every screen its
// own way and tests can look at it without one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ui_shared/platform/object.h"
#include "widgets/rich_text_box.h"

namespace trf {

// The home and month every screen works in.
struct ScreenContext {
  std::string home_num;         // "" while no home is current
  std::string month_id;         // "" while no month is current
  double month_date = 0;        // the current month (a date serial) when there is one
  int32_t month_status = 0;     // 0 not started, 1 active, 2 closed
  int32_t trf_reopened = 0;     // how often a TRF was reopened in this run
  bool data_read_only = false;  // the database is open read-only: nothing can be saved
};

// A list of records as the user sees it: headers with their widths, rows of cell texts, the
// selected row.
struct ScreenList {
  std::vector<std::string> headers;
  std::vector<double> widths;  // in twips, one per header
  std::vector<std::vector<std::string>> rows;
  int selected = -1;  // 0-based row, -1 when nothing is selected
};

// One data-entry field: its name, its value, its colours (system colours keep their high bit) and
// whether it has the focus or is locked.
struct ScreenField {
  std::string name;
  std::string value;
  bool active = false;
  bool read_only = false;
  uint32_t back_color = 0;
  uint32_t fore_color = 0;
};

// A choice of one of a few texts typed into a combo box: its name, what it shows, the options.
struct ScreenChoice {
  std::string name;
  std::string text;  // "" while nothing is chosen
  std::vector<std::string> options;
};

struct ScreenView {
  ScreenContext context;
  std::optional<ScreenList> list;
  std::vector<ScreenField> fields;
  std::optional<ScreenChoice> choice;
  kw::RichTextBoxPtr rich_text;  // the notes, for screens that edit rich text
};

// The headers, widths, rows and selection of a headless list view (a "ListView" reached by name).
ScreenList DescribeListView(const kw::ObjectPtr& list_view);

}  // namespace trf
