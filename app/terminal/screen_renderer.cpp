// Terminal rendering of a screen view: columns padded to their widest cell.
#include "app/terminal/screen_renderer.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "app/business/month_report.h"
#include "app/business/rules.h"
#include "app/screens/screen_amounts.h"
#include "ui_shared/platform/dates.h"
#include "ui_shared/platform/text.h"
#include "widgets/rich_text_box.h"

namespace trf {
namespace {

std::string Pad(const std::string& s, size_t width) {
  const size_t length = kw::text::Len(s);
  return length >= width ? s : s + std::string(width - length, ' ');
}

// Whether column `column` of `list` holds amounts.
bool IsAmountColumn(const ScreenList& list, size_t column) {
  return column < list.kinds.size() && list.kinds[column] == ColumnKind::kMoney;
}

// The rows' cells as the list shows them: an amount with two decimals and its thousands grouped
// ("2,400.00", as the history and the desktop show amounts); an empty cell, or an amount being
// typed that is no number yet, as it is.
std::vector<std::vector<std::string>> ShownRows(const ScreenList& list) {
  std::vector<std::vector<std::string>> rows = list.rows;
  for (std::vector<std::string>& row : rows) {
    for (size_t c = 0; c < row.size(); ++c) {
      if (!IsAmountColumn(list, c)) continue;
      if (const std::optional<double> amount = AmountOf(row[c])) row[c] = AmountText(*amount);
    }
  }
  return rows;
}

// Row numbers for `select`, a "*" before the selected row (none while nothing is selected), cells
// padded per column, amounts to the right. (">" stands only before what was typed.)
void RenderList(const ScreenList& list, std::vector<std::string>& out) {
  const std::vector<std::vector<std::string>> rows = ShownRows(list);
  std::vector<size_t> widths(list.headers.size());
  for (size_t c = 0; c < list.headers.size(); ++c) widths[c] = kw::text::Len(list.headers[c]);
  for (const auto& row : rows) {
    if (row.size() > widths.size()) widths.resize(row.size());
    for (size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], kw::text::Len(row[c]));
  }
  auto line = [&](const std::string& lead, const std::vector<std::string>& cells) {
    std::string text = lead;
    for (size_t c = 0; c < cells.size(); ++c) {
      const size_t length = kw::text::Len(cells[c]);
      const bool right = IsAmountColumn(list, c) && length < widths[c];
      text += "  " + (right ? std::string(widths[c] - length, ' ') + cells[c] : Pad(cells[c], widths[c]));
    }
    out.push_back(kw::text::RTrim(text));
  };
  line("      ", list.headers);
  if (rows.empty()) out.emplace_back("      (no records)");
  for (size_t r = 0; r < rows.size(); ++r) {
    std::string number = std::to_string(r + 1);
    const std::string lead = (static_cast<int>(r) == list.selected ? "* " : "  ") + Pad(number, 3) + " ";
    line(lead, rows[r]);
  }
}

void RenderFields(const std::vector<ScreenField>& fields, std::vector<std::string>& out) {
  size_t width = 0;
  for (const ScreenField& f : fields) width = std::max(width, kw::text::Len(f.name));
  for (const ScreenField& f : fields) {
    std::string text = (f.active ? "* " : "  ") + Pad(f.name, width) + " : " + f.value;
    if (f.read_only) text += "   (read-only)";
    out.push_back(text);
  }
}

// A colour value as the runtime writes it: "&H80000014&".
std::string ColorText(uint32_t color) {
  char text[16];
  std::snprintf(text, sizeof text, "&H%08X&", static_cast<unsigned>(color));
  return text;
}

// The formats of a run: "bold, italic, colour #C80000"; "" for plain.
std::string FormatNames(const kw::rich_text::CharFormat& format) {
  std::string names;
  auto add = [&names](const std::string& name) { names += (names.empty() ? "" : ", ") + name; };
  if (format.bold) add("bold");
  if (format.italic) add("italic");
  if (format.underline) add("underline");
  if (format.color != 0) {
    char colour[8];
    std::snprintf(colour, sizeof colour, "%02X%02X%02X", format.color & 0xFFu, (format.color >> 8) & 0xFFu,
                  (format.color >> 16) & 0xFFu);
    add(std::string("colour #") + colour);
  }
  return names;
}

// One paragraph as a line: a bullet, the runs with their formats in brackets ("plain [bold:
// word]"), and the alignment when it is not left.
std::string ParagraphLine(const kw::rich_text::Document& document, size_t first, size_t end, size_t paragraph) {
  const kw::rich_text::ParagraphFormat& format = document.FormatOfParagraph(paragraph);
  std::string line = format.bullet ? "  * " : "    ";
  size_t run = first;
  while (run < end) {
    size_t next = run + 1;
    while (next < end && document.FormatAt(next) == document.FormatAt(run)) ++next;
    const std::string text = document.Text(run, next - run);
    const std::string names = FormatNames(document.FormatAt(run));
    if (names.empty())
      line += text;
    else
      line.append("[").append(names).append(": ").append(text).append("]");
    run = next;
  }
  if (format.alignment == kw::rich_text::kAlignCenter) line += "   (centred)";
  if (format.alignment == kw::rich_text::kAlignRight) line += "   (right)";
  return line;
}

// The selection and the paragraphs of a rich-text box.
void RenderRichText(const kw::RichTextBox& box, std::vector<std::string>& out) {
  const kw::rich_text::Document& document = box.Document();
  out.push_back("selection: start " + std::to_string(box.SelStart()) + ", length " + std::to_string(box.SelLength()) +
                " \"" + box.SelText() + "\"");
  if (document.Length() == 0) {
    out.emplace_back("    (no notes yet)");
    return;
  }
  size_t first = 0;
  size_t paragraph = 0;
  for (size_t i = 0; i <= document.Length(); ++i) {
    if (i < document.Length() && document.At(i) != kw::rich_text::kParagraphBreak) continue;
    out.push_back(ParagraphLine(document, first, i, paragraph++));
    first = i + 1;
  }
}

// The lines above the list: read-only data, the context on the two screens that set it, the
// choice, the colours of the active field (verbose only) and the notes.
void RenderHeader(const std::string& name, const ScreenView& view, bool verbose, std::vector<std::string>& out) {
  const ScreenContext& context = view.context;
  if (context.data_read_only)
    out.emplace_back("Read-only: the database is open for looking only; nothing can be saved.");
  if (name == "home") {
    out.push_back(context.home_num.empty() ? "No home selected: select one of the homes below."
                                           : "Current home: " + context.home_num);
  }
  if (name == "setup") {
    const std::string month = context.month_id.empty() ? "none selected (select one)"
                                                       : MonthOfSerialText(context.month_date) + " (" +
                                                             MonthStatusText(context.month_status) + ")";
    out.push_back("Home: " + context.home_num + "   Current month: " + month);
    out.push_back("TRFs reopened: " + std::to_string(context.trf_reopened));
  }
  if (view.choice)
    out.push_back(view.choice->name + ": " + (view.choice->text.empty() ? "(none chosen)" : view.choice->text));
  for (const ScreenField& field : view.fields) {
    if (!field.active || !verbose) continue;
    out.push_back("active field " + field.name + ": background " + ColorText(field.back_color) + ", text " +
                  ColorText(field.fore_color));
  }
  if (view.rich_text) RenderRichText(*view.rich_text, out);
}

}  // namespace

std::string RenderCommandBar(const CommandBar& bar) {
  std::string text;
  for (const CommandButton& b : bar.Buttons()) {
    if (!text.empty()) text += ' ';
    if (b.style == kw::kButtonSeparator) {
      text += '|';
      continue;
    }
    text += "[" + b.key + "]";
    if (b.value != 0) text += '*';
    if (!b.enabled) text += "(off)";
  }
  return text;
}

std::vector<std::string> RenderScreen(const std::string& name, const std::string& title, const CommandBar& bar,
                                      const ScreenView& view, bool verbose) {
  std::vector<std::string> out;
  out.push_back("== " + title + " ==");
  const std::string buttons = RenderCommandBar(bar);
  if (!buttons.empty()) out.push_back("bar: " + buttons);
  RenderHeader(name, view, verbose, out);
  if (view.list) RenderList(*view.list, out);
  RenderFields(view.fields, out);
  return out;
}

}  // namespace trf
