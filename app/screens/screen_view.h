// ScreenView: what a screen shows, as data (the home and month it works in, a list, fields with their
// descriptions, colours and states, a choice, the rich-text box, what the person may do now), so
// that every front end draws every screen its own way and tests can look at it without one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/data/table_description.h"
#include "ui_shared/platform/object.h"
#include "widgets/rich_text_box.h"

namespace trf {

// The home and month every screen works in.
struct ScreenContext {
  std::string home_id;          // the home's record key; "" while no home is current
  std::string home_num;         // "" while no home is current
  std::string month_id;         // "" while no month is current
  double month_date = 0;        // the current month (a date serial) when there is one
  int32_t month_status = 0;     // 0 not started, 1 active, 2 closed
  int32_t trf_reopened = 0;     // how often a TRF was reopened in this run
  bool data_read_only = false;  // the database is open read-only: nothing can be saved
};

// A list of records as the user sees it: headers with their widths (and, where the columns are
// described, what each holds), rows of cell texts, the selected row.
struct ScreenList {
  std::vector<std::string> headers;
  std::vector<double> widths;  // in twips, one per header
  std::vector<std::vector<std::string>> rows;
  int selected = -1;                   // 0-based row, -1 when nothing is selected
  std::vector<ColumnKind> kinds = {};  // one per header; empty when the cells are texts to read as they are
};

// How a field's value stands with the rules of its record, in the words of the month's problem
// list: fine, a broken hard rule, a question nobody accepted yet, or a question accepted.
enum class Standing : uint8_t { kFine, kError, kQuestion, kAccepted };

// One data-entry field: what it is (from its column's description: the word it goes by, its
// caption, kind, whether it must be filled, its bounds, a lookup's choices by name), its value as
// the person reads it (a lookup's by name), how it stands with the record's rules, its colours
// (system colours keep their high bit) and whether it has the focus or is locked.
struct ScreenField {
  std::string name = {};
  std::string caption = {};
  ColumnKind kind = ColumnKind::kText;
  bool required = false;
  std::optional<Bounds> bounds = {};
  size_t max_length = 0;
  std::vector<std::string> choices = {};
  std::string value = {};
  Standing standing = Standing::kFine;  // the gravest rule on the field that its record's last check found
  std::string problem = {};             // that rule's message; "" while the value is fine
  bool active = false;
  bool read_only = false;
  uint32_t back_color = 0;
  uint32_t fore_color = 0;
  int32_t help_context = 0;  // the help topic of the field's box; 0 for none
};

// A command of the screen's command bar: its key, caption, whether it may be used now, and its
// state (a pressed formatting button).
struct ScreenCommand {
  std::string key = {};
  std::string caption = {};
  bool enabled = true;
  bool pressed = false;
};

// What the person may do on the screen now, so that a front end offers only that; an operation
// that is not allowed is still refused in words.
struct ScreenAllows {
  bool add = false;
  bool remove = false;
  bool save = false;
  bool undo = false;
  bool send_off = false;
  std::vector<ScreenCommand> commands = {};
};

// A choice of one of a few texts typed into a combo box: its name, what it shows, the options.
struct ScreenChoice {
  std::string name;
  std::string text;  // "" while nothing is chosen
  std::vector<std::string> options;
};

struct ScreenView {
  // Set by the caller before Describe: whether the list's rows are wanted. A front end that reads
  // the rows one at a time (ScreenForm::ListCell) leaves them out, and then describing a screen
  // costs the same however long its list is.
  bool list_rows_wanted = true;
  ScreenContext context;
  std::optional<ScreenList> list;
  std::vector<ScreenField> fields;
  std::optional<ScreenChoice> choice;
  kw::RichTextBoxPtr rich_text;  // the notes, for screens that edit rich text
  ScreenAllows allows;
};

// The headers, widths, rows (unless `with_rows` is false) and selection of a headless list view (a
// "ListView" reached by name).
ScreenList DescribeListView(const kw::ObjectPtr& list_view, bool with_rows = true);

}  // namespace trf
