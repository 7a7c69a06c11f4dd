// The change record of a made region, chained per home as the triggers chain it.
#include "app/region/change_log.h"

#include <array>

#include "app/data/change_chain.h"
#include "app/data/trf_database.h"
#include "ui_shared/platform/text.h"

namespace trf::region {

namespace {

std::optional<std::string> NumberOrNull(int64_t number) {
  return number == 0 ? std::nullopt : std::optional<std::string>(std::to_string(number));
}

Value ValueOf(const std::optional<std::string>& text) { return text ? Value(*text) : Value(); }

}  // namespace

ChangeLog::ChangeLog(CopyStream& entries, int64_t homes)
    : entries_(entries), heads_(static_cast<size_t>(homes + 1), kChainGenesis) {}

std::vector<std::string> ChangeLog::EntryColumns() {
  std::vector<std::string> columns = {"S_ChangeID"};
  for (const char* column : kChainedColumns) columns.emplace_back(column);
  columns.emplace_back("S_Digest");
  columns.emplace_back(kVersionColumn);
  return columns;
}

void ChangeLog::Added(const Stamp& stamp, const TableDescription& table, const Row& row, int64_t home, int64_t month) {
  Write(stamp, table, std::get<int64_t>(row.values.front()), home, month, std::nullopt, std::nullopt,
        RowJson(table, row), std::nullopt, std::nullopt);
}

void ChangeLog::Changed(const Stamp& stamp, const TableDescription& table, int64_t key, int64_t home, int64_t month,
                        std::string_view column, const Value& before, const Value& after) {
  Write(stamp, table, key, home, month, kw::text::Lower(column), ValueText(before), ValueText(after), std::nullopt,
        std::nullopt);
}

void ChangeLog::Accepted(const Stamp& stamp, const TableDescription& table, int64_t key, int64_t home, int64_t month,
                         std::string_view property, const std::string& value, int32_t rule,
                         const std::string& message) {
  Write(stamp, table, key, home, month, std::string(property), std::nullopt, value, std::to_string(rule), message);
}

void ChangeLog::Write(const Stamp& stamp, const TableDescription& table, int64_t key, int64_t home, int64_t month,
                      std::optional<std::string> field, std::optional<std::string> old_value,
                      std::optional<std::string> new_value, std::optional<std::string> rule,
                      std::optional<std::string> message) {
  const std::string key_text = std::to_string(key);
  const std::string home_text = std::to_string(home);
  const std::optional<std::string> month_text = NumberOrNull(month);
  // The chained values, in the order of kChainedColumns.
  const std::array<std::optional<std::string_view>, kChainedColumnCount> chained = {
      stamp.who, stamp.when, table.name, key_text, home_text, month_text, field, old_value, new_value, rule, message};
  std::string& head = heads_[static_cast<size_t>(home)];
  ChainContentInto(content_, head, chained);
  const std::array<char, 64> digest = sha_.HexDigits(content_);
  head.assign(digest.data(), digest.size());
  entries_.Write(std::vector<Value>{next_id_++, stamp.who, stamp.when, std::string(table.name), key_text, home,
                                    month == 0 ? Value() : Value(month), ValueOf(field), ValueOf(old_value),
                                    ValueOf(new_value), rule ? Value(std::stoll(*rule)) : Value(), ValueOf(message),
                                    head, int64_t{1}});
}

void ChangeLog::WriteHeads(CopyStream& heads) const {
  for (size_t home = 1; home < heads_.size(); ++home) {
    heads.Write(std::vector<Value>{static_cast<int64_t>(home), heads_[home]});
  }
}

}  // namespace trf::region
