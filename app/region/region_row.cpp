// A made row's values as the server's texts and JSON.
#include "app/region/region_row.h"

#include <charconv>
#include <cstdio>

#include "app/data/trf_database.h"
#include "ui_shared/platform/text.h"

namespace trf::region {

namespace {

void AppendNumber(std::string& out, const Value& value) {
  char digits[32];
  const std::to_chars_result end = std::holds_alternative<int64_t>(value)
                                       ? std::to_chars(digits, digits + sizeof digits, std::get<int64_t>(value))
                                       : std::to_chars(digits, digits + sizeof digits, std::get<double>(value));
  out.append(digits, end.ptr);
}

}  // namespace

Value TextOrNull(std::string text) { return text.empty() ? Value() : Value(std::move(text)); }

std::optional<std::string> ValueText(const Value& value) {
  if (std::holds_alternative<std::monostate>(value)) return std::nullopt;
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  std::string number;
  AppendNumber(number, value);
  return number;
}

void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

std::string RowJson(const TableDescription& table, const Row& row) {
  std::string json = "{";
  for (size_t i = 0; i < table.columns.size(); ++i) {
    json += (i ? ",\"" : "\"") + kw::text::Lower(table.columns[i].name) + "\":";
    const Value& value = row.values[i];
    if (std::holds_alternative<std::monostate>(value)) {
      json += "null";
    } else if (const auto* text = std::get_if<std::string>(&value)) {
      AppendJsonString(json, *text);
    } else {
      AppendNumber(json, value);
    }
  }
  return json + ",\"" + kw::text::Lower(kVersionColumn) + "\":" + std::to_string(row.version) + "}";
}

}  // namespace trf::region
