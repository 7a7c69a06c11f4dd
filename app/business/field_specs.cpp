// The fields and referrers of a business-object class, read from the description of its table.
#include <algorithm>

#include "app/business/business_object_parts.h"
#include "app/data/trf_tables.h"

namespace trf {

namespace {

// The key column of the table a lookup chooses from; nullptr when that table is not described.
const ColumnDescription* LookupKey(const ColumnDescription& column) {
  const TableDescription* target = FindTable(tables::All(), column.lookup.table);
  return target ? &target->Key() : nullptr;
}

// What a value of `column` is as stored: formatted text is text, and a lookup holds what the key it
// refers to holds (a number, or a code).
ColumnKind HeldKind(const ColumnDescription& column) {
  switch (column.kind) {
    case ColumnKind::kRichText: return ColumnKind::kText;
    case ColumnKind::kLookup: {
      const ColumnDescription* key = LookupKey(column);
      return key && key->kind == ColumnKind::kText ? ColumnKind::kText : ColumnKind::kWholeNumber;
    }
    default: return column.kind;
  }
}

}  // namespace

std::vector<FieldSpec> FieldsOf(const ClassSpec& spec) {
  std::vector<FieldSpec> fields;
  for (const ColumnDescription& column : spec.table->columns) {
    FieldSpec& field = fields.emplace_back();
    field.column = &column;
    field.holds = HeldKind(column);
    if (const ColumnDescription* key = column.kind == ColumnKind::kLookup ? LookupKey(column) : nullptr) {
      field.reference_table = std::string(column.lookup.table);
      field.reference_column = std::string(key->name);
    }
    field.read_by_group = std::ranges::find(spec.read_by_group, column.name) != spec.read_by_group.end();
  }
  return fields;
}

std::vector<Referrer> ReferrersOf(const TableDescription& table) {
  std::vector<Referrer> referrers;
  for (const TableDescription& other : tables::All()) {
    for (const ColumnDescription& column : other.columns) {
      if (column.kind == ColumnKind::kLookup && column.lookup.table == table.name)
        referrers.push_back({std::string(other.name), std::string(column.name), std::string(other.plural)});
    }
  }
  return referrers;
}

}  // namespace trf
