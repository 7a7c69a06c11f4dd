// TableDescription: the one description of a stored table: its columns with their kind, key,
// reference, whether they must be filled, their bounds and the words a person reads for them.
// Both engines' schemas, the business objects' field positions and the screens' fields (caption,
// kind, bounds, a lookup's choices) come from it, so that a record's shape is written once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>

namespace trf {

// What a column holds, as a person enters it.
enum class ColumnKind : uint8_t {
  kWholeNumber,
  kMoney,  // an amount, exact in cents
  kDate,   // a date serial: days since 30 December 1899
  kText,
  kRichText,  // formatted text, stored as RTF
  kLookup,    // the key of a record of another table, chosen by that record's name
};

// The least and the most a number column holds.
struct Bounds {
  double least = 0;
  double most = 0;
};

// The records a lookup column chooses from: their table, and the column whose text names one to a person.
struct Lookup {
  std::string_view table = {};
  std::string_view name_column = {};
};

// One column. Designated initializers keep each description readable: only what differs from the
// defaults is written.
struct ColumnDescription {
  std::string_view name = {};  // the column's name, which is also the business object's property
  ColumnKind kind = ColumnKind::kText;
  std::string_view caption = {};  // what a person reads for it: "Monthly fee"
  std::string_view field = {};    // the word a screen's field goes by ("fee"); empty: no field of its own
  bool key = false;               // the record key: the first column of its table
  bool counted = false;           // a key the engine counts: a new record takes the counter's next value
  bool required = false;
  bool unique = false;
  bool indexed = false;  // records are looked up by it: the engines keep an index on it
  std::optional<Bounds> bounds = std::nullopt;
  size_t max_length = 0;  // the most characters a text holds; 0 for no limit
  Lookup lookup = {};     // for kLookup: what it chooses from
  // The width (in twips) of the column's place in a screen's list of the records; 0: not listed.
  int16_t list_width = 0;
  int since = 1;  // the schema version that added the column
};

// How a table's rows belong to a home, which decides who may read and change them and whether
// their changes go on record: not at all (TRF types, categories), as the homes themselves, through a
// column H_HomesID, or through the month record they belong to (column H_HomeMonthlyStatsID).
enum class HomeData : uint8_t { kNone, kHomes, kByHome, kByMonth };

// One table: its columns, key first and (where the table belongs to another record) its parent second.
struct TableDescription {
  std::string_view name = {};
  std::string_view plural = {};  // how a sentence names its records: "residents"
  std::span<const ColumnDescription> columns = {};
  int since = 1;  // the schema version that added the table
  HomeData home_data = HomeData::kNone;
  // Rows of a month (column H_HomeMonthlyStatsID) that stay as they were while the month is filed.
  bool filed_with_month = false;
  // Rows are only ever added, and found by an indexed column, never by the key: on a server the
  // counted key keeps no index of its own (its counter alone numbers the rows, and nobody may give
  // one a number of their own), which spares every row written an index entry.
  bool append_only = false;
  // The region's own rows on a server (who reviews which home, questions on filed months, filings
  // imported from files): their rights, policies and rules are the region's (trust_region.cpp), not
  // those of a home's data.
  bool region = false;

  // The column named `column` (the case as written); nullptr when the table has none.
  constexpr const ColumnDescription* Find(std::string_view column) const {
    for (const ColumnDescription& described : columns)
      if (described.name == column) return &described;
    return nullptr;
  }
  // The field position of `column` in the table's records: 1 for the key. Evaluated where a
  // constant is declared, a column the table lacks does not compile.
  constexpr int32_t Position(std::string_view column) const {
    for (size_t i = 0; i < columns.size(); ++i)
      if (columns[i].name == column) return static_cast<int32_t>(i + 1);
    throw std::out_of_range("no such column");
  }
  const ColumnDescription& Key() const { return columns.front(); }
};

// The schema version a set of tables describes: the newest `since` of any table or column.
int SchemaVersion(std::span<const TableDescription> tables);
// The table named `name` among `tables`; nullptr when there is none.
const TableDescription* FindTable(std::span<const TableDescription> tables, std::string_view name);

}  // namespace trf
