// Terminal rendering of a screen view: columns padded to their widest cell.
#include "app/terminal/screen_renderer.h"

#include <algorithm>

#include "ui_shared/platform/text.h"

namespace trf {
namespace {

std::string Pad(const std::string& s, size_t width) {
  const size_t length = kw::text::Len(s);
  return length >= width ? s : s + std::string(width - length, ' ');
}

// Row numbers for `select`, a ">" before the selected row, cells padded per column.
void RenderList(const ScreenList& list, std::vector<std::string>& out) {
  std::vector<size_t> widths(list.headers.size());
  for (size_t c = 0; c < list.headers.size(); ++c) widths[c] = kw::text::Len(list.headers[c]);
  for (const auto& row : list.rows) {
    if (row.size() > widths.size()) widths.resize(row.size());
    for (size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], kw::text::Len(row[c]));
  }
  auto line = [&](const std::string& lead, const std::vector<std::string>& cells) {
    std::string text = lead;
    for (size_t c = 0; c < cells.size(); ++c) text += "  " + Pad(cells[c], widths[c]);
    out.push_back(kw::text::RTrim(text));
  };
  line("      ", list.headers);
  if (list.rows.empty()) out.push_back("      (no records)");
  for (size_t r = 0; r < list.rows.size(); ++r) {
    std::string number = std::to_string(r + 1);
    const std::string lead = (static_cast<int>(r) == list.selected ? "> " : "  ") + Pad(number, 3) + " ";
    line(lead, list.rows[r]);
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

std::vector<std::string> RenderScreen(const std::string& title, const CommandBar& bar, const ScreenView& view) {
  std::vector<std::string> out;
  out.push_back("== " + title + " ==");
  const std::string buttons = RenderCommandBar(bar);
  if (!buttons.empty()) out.push_back("bar: " + buttons);
  out.insert(out.end(), view.lines.begin(), view.lines.end());
  if (view.has_list) RenderList(view.list, out);
  RenderFields(view.fields, out);
  return out;
}

}  // namespace trf
