// The schema version of described tables, and finding a table among them.
#include "app/data/table_description.h"

#include <algorithm>

namespace trf {

int SchemaVersion(std::span<const TableDescription> tables) {
  int version = 1;
  for (const TableDescription& table : tables) {
    version = std::max(version, table.since);
    for (const ColumnDescription& column : table.columns) version = std::max(version, column.since);
  }
  return version;
}

const TableDescription* FindTable(std::span<const TableDescription> tables, std::string_view name) {
  for (const TableDescription& table : tables)
    if (table.name == name) return &table;
  return nullptr;
}

}  // namespace trf
