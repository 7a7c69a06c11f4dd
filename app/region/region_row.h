// A row of a made region as the server holds it: a value per column of its table's description,
// then the row's version. The same row goes into the table's COPY and, as the JSON the server's
// row_to_json writes, into the change record's entry of its insert, so the two always agree.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "app/data/table_description.h"

namespace trf::region {

// Null, a whole number, a double, or a text.
using Value = std::variant<std::monostate, int64_t, double, std::string>;

struct Row {
  std::vector<Value> values;  // in the order of the table's columns
  int64_t version = 1;
};

// A value that is null when `text` is empty.
Value TextOrNull(std::string text);

// The server's text of `value`, as a column cast to text reads (a double as PostgreSQL prints it:
// the shortest digits that read back the same); nothing for a null.
std::optional<std::string> ValueText(const Value& value);
// `text` as a JSON string, escaped as the server escapes it.
void AppendJsonString(std::string& out, std::string_view text);
// The row as the server's row_to_json writes it: each column by its name in lower case, the
// version last.
std::string RowJson(const TableDescription& table, const Row& row);

}  // namespace trf::region
