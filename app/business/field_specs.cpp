// The layout of a business-object class, read from the description of its table once per class.
#include <algorithm>
#include <map>
#include <mutex>
#include <tuple>

#include "app/business/business_object_parts.h"
#include "app/data/trf_database.h"
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

// The fields of a class from the columns of its table, in their order.
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

// The columns of other tables that refer to records of `table`.
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

ClassLayout MadeLayout(const ClassSpec& spec) {
  ClassLayout layout;
  layout.fields = FieldsOf(spec);
  layout.referrers = ReferrersOf(*spec.table);
  for (size_t i = 0; i < layout.fields.size(); ++i) {
    const std::string column = layout.fields[i].Property();
    layout.positions_by_name.emplace(column, static_cast<int32_t>(i + 1));
    layout.columns += (i ? ", " : "") + column;
  }
  const std::string select =
      "SELECT " + layout.columns + ", " + kVersionColumn + " FROM " + std::string(spec.table->name);
  const std::string in_key_order = " ORDER BY " + layout.fields[0].Property();
  layout.select_all = select + in_key_order;
  layout.select_of_parent = select + " WHERE " + layout.fields[1].Property() + " = ?" + in_key_order;
  return layout;
}

}  // namespace

std::shared_ptr<const ClassLayout> LayoutOf(const ClassSpec& spec) {
  // By the class, its table and the fields its group rules read: what a layout is made from.
  using Key = std::tuple<std::string, const TableDescription*, std::vector<std::string_view>>;
  static std::mutex guard;
  static std::map<Key, std::shared_ptr<const ClassLayout>> made;
  const std::lock_guard<std::mutex> held(guard);
  std::shared_ptr<const ClassLayout>& layout = made[Key{spec.class_name, spec.table, spec.read_by_group}];
  if (!layout) layout = std::make_shared<const ClassLayout>(MadeLayout(spec));
  return layout;
}

}  // namespace trf
