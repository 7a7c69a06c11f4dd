// Reading a lookup's choices within the screen's context, and finding them by name and by key.
#include "app/screens/lookup_choices.h"

#include <algorithm>
#include <map>

#include "app/data/trf_tables.h"
#include "ui_shared/platform/text.h"

namespace trf {

std::optional<std::string> ContextKeyOf(std::string_view table, kw::SharedProcedures& shared) {
  if (table == tables::kHomes.name) return shared.CurrentH_HomesID();
  if (table == tables::kHomeMonths.name) return shared.CurrentH_HomeMonthlyStatsID();
  if (table == tables::kTrfTypes.name) return shared.CurrentHU_TrfTypesCD();
  return std::nullopt;
}

bool LookupChoices::operator==(const LookupChoices& other) const {
  return names_ == other.names_ &&
         std::ranges::equal(keys_, other.keys_,
                            [](const kw::Variant& a, const kw::Variant& b) { return a.ToText() == b.ToText(); });
}

void LookupChoices::Load(Database& database, const ColumnDescription& column, kw::SharedProcedures& shared) {
  names_.clear();
  keys_.clear();
  const TableDescription* table = FindTable(tables::All(), column.lookup.table);
  if (!table) return;
  const ColumnDescription* name = table->Find(column.lookup.name_column);
  std::string sql = "SELECT " + std::string(table->Key().name) + ", " + std::string(column.lookup.name_column) +
                    " FROM " + std::string(table->name);
  // The records of the current home (or month, or TRF type) when the table belongs to one.
  const ColumnDescription* parent = table->columns.size() > 1 ? &table->columns[1] : nullptr;
  const std::optional<std::string> scope =
      parent && parent->kind == ColumnKind::kLookup ? ContextKeyOf(parent->lookup.table, shared) : std::nullopt;
  if (scope && scope->empty()) return;  // nothing of it is current: nothing to choose from
  if (scope) sql += " WHERE " + std::string(parent->name) + " = ?";
  auto query = database.Prepare(sql + " ORDER BY " + std::string(column.lookup.name_column));
  if (scope) query->Bind(1, kw::Variant::Text(*scope));
  std::map<std::string, int> uses;
  while (query->Step()) {
    keys_.push_back(query->Column(0));
    const kw::Variant value = query->Column(1);
    const bool date = name && name->kind == ColumnKind::kDate && value.IsNumber();
    names_.push_back(date ? kw::Variant::Date(value.ToDouble()).ToText() : value.ToText());
    ++uses[names_.back()];
  }
  for (size_t i = 0; i < names_.size(); ++i)
    if (uses[names_[i]] > 1) names_[i] += " (" + keys_[i].ToText() + ")";
}

std::optional<std::string> LookupChoices::NameOf(const kw::Variant& key) const {
  if (key.IsNull() || key.IsEmpty()) return std::nullopt;
  for (size_t i = 0; i < keys_.size(); ++i)
    if (keys_[i].ToText() == key.ToText()) return names_[i];
  return std::nullopt;
}

std::optional<kw::Variant> LookupChoices::KeyOf(std::string_view name) const {
  const std::string wanted = kw::text::Lower(kw::text::Trim(name));
  if (wanted.empty()) return std::nullopt;
  std::optional<size_t> begins;
  size_t beginning = 0;
  for (size_t i = 0; i < names_.size(); ++i) {
    const std::string lower = kw::text::Lower(names_[i]);
    if (lower == wanted) return keys_[i];
    if (lower.starts_with(wanted)) {
      begins = i;
      ++beginning;
    }
  }
  // The beginning of one name only is as good as the name.
  return beginning == 1 ? std::optional<kw::Variant>(keys_[*begins]) : std::nullopt;
}

}  // namespace trf
