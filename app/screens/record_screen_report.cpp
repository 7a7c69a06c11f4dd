// The record screens' part of the month's report: their records as a table, cells as a person reads them.
#include <deque>

#include "app/business/rules.h"
#include "app/screens/month_report.h"
#include "app/screens/record_screen.h"
#include "ui_shared/platform/dates.h"

namespace trf {
namespace {

// A stored value as the report shows it in a column of `kind`, a lookup's by its name in `choices`.
std::string CellText(const kw::Variant& value, ColumnKind kind, const LookupChoices* choices) {
  if (value.IsNull() || value.IsEmpty()) return {};
  switch (kind) {
    case ColumnKind::kDate: return kw::dates::ToText(value.ToDate());
    case ColumnKind::kMoney: return AmountText(value.ToDouble());
    case ColumnKind::kLookup:
      if (choices) {
        if (const std::optional<std::string> name = choices->NameOf(value)) return *name;
      }
      return value.ToText();
    default: return value.ToText();
  }
}

}  // namespace

void RecordScreen::AddToReport(MonthReport& report) {
  // The stored records as they are now (another desk's saves included), unless this screen holds
  // edits not saved yet: those are what the person sees.
  if (!records_ || loaded_for_ != Context() || (records_->PendingChanges() == 0 && !records_->IsDirty())) Refresh();
  const std::span<const ColumnDescription> described = layout_.table->columns;
  // The columns after the key, the parent left out: the home or month every record belongs to.
  struct Shown {
    size_t field;  // 0-based position in the record
    const LookupChoices* choices;
  };
  std::vector<Shown> shown;
  std::deque<LookupChoices> loaded;  // choices no field or list column of the screen holds
  ReportTable& table = report.tables.emplace_back();
  table.name = Name();
  table.title = Caption();
  for (size_t i = 1; i < described.size(); ++i) {
    const ColumnDescription& column = described[i];
    const bool lookup = column.kind == ColumnKind::kLookup;
    if (i == 1 && lookup && ContextKeyOf(column.lookup.table, *Shared())) continue;
    const LookupChoices* choices = nullptr;
    for (const Field& field : fields_)
      if (field.column == &column) choices = &field.choices;
    for (const std::optional<Field>& list_column : column_lookups_)
      if (list_column && list_column->column == &column) choices = &list_column->choices;
    if (lookup && !choices) {
      loaded.emplace_back().Load(*database_, column, *Shared());
      choices = &loaded.back();
    }
    table.columns.push_back({std::string(column.name), std::string(column.caption), column.kind});
    shown.push_back({i, choices});
  }
  table.rows.reserve(static_cast<size_t>(records_->Count()));
  for (int32_t position = 1; position <= records_->Count(); ++position) {
    ReportRow& row = table.rows.emplace_back();
    const kw::Variant index = kw::Variant::Long(position);
    row.key = records_->FieldValueAt(index, 1).ToText();
    row.cells.reserve(shown.size());
    for (const Shown& cell : shown) {
      const kw::Variant value = records_->FieldValueAt(index, static_cast<int32_t>(cell.field) + 1);
      row.cells.push_back(
          {CellText(value, described[cell.field].kind, cell.choices), value.IsEmpty() ? kw::Variant::Null() : value});
    }
  }
}

}  // namespace trf
