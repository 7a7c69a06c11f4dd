// A list view drawn as lines of text.
#include "widgets/list_text.h"

#include <algorithm>
#include <vector>

#include "ui_shared/platform/text.h"

namespace kw::widgets {
namespace {

// Appends the cells of one line, each padded to its column's width, and ends the line.
void AppendLine(std::string& out, std::string_view marker, const std::vector<std::string>& cells,
                const std::vector<size_t>& widths) {
  std::string line(marker);
  for (size_t column = 0; column < cells.size(); ++column) {
    line += cells[column];
    if (column + 1 < cells.size()) line += std::string(widths[column] - text::Len(cells[column]) + 2, ' ');
  }
  out += text::RTrim(line) + "\n";
}

}  // namespace

std::string ListText(ListView& list) {
  const int32_t columns = std::max(list.Columns().Count(), 1);
  std::vector<std::string> header;
  for (int32_t column = 1; column <= list.Columns().Count(); ++column)
    header.push_back(list.Columns().Item(Variant::Long(column))->Text());
  std::vector<std::vector<std::string>> rows;
  EntryList& entries = list.Entries();
  for (int32_t row = 1; row <= entries.Count(); ++row) {
    auto& item = static_cast<ListItem&>(*entries.At(row));
    std::vector<std::string> cells{item.Text()};
    for (int32_t column = 1; column < columns; ++column)
      cells.emplace_back(column <= item.SubItems().Count() ? item.SubItems().Text(column) : "");
    rows.push_back(std::move(cells));
  }
  std::vector<size_t> widths(static_cast<size_t>(columns), 0);
  for (const auto& cells : rows)
    for (size_t column = 0; column < cells.size(); ++column)
      widths[column] = std::max(widths[column], text::Len(cells[column]));
  for (size_t column = 0; column < header.size(); ++column)
    widths[column] = std::max(widths[column], text::Len(header[column]));
  std::string out;
  if (!header.empty()) AppendLine(out, "  ", header, widths);
  for (int32_t row = 1; row <= entries.Count(); ++row)
    AppendLine(out, entries.At(row)->Selected() ? "> " : "  ", rows[static_cast<size_t>(row - 1)], widths);
  return out;
}

}  // namespace kw::widgets
