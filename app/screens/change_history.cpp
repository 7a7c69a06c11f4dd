// A screen's history: the change record of its current record, and each change as a line to read.
#include "app/business/business_object.h"
#include "app/business/rules.h"
#include "app/data/moment_text.h"
#include "app/screens/screen_form.h"
#include "ui_shared/platform/dates.h"
#include "ui_shared/platform/text.h"

namespace trf {

namespace {

// The column of `table` a change names, whatever the case the engine wrote it in.
const ColumnDescription* ColumnNamed(const TableDescription& table, const std::string& name) {
  for (const ColumnDescription& column : table.columns)
    if (kw::text::Lower(column.name) == kw::text::Lower(name)) return &column;
  return nullptr;
}

// A stored value as the person entered it: amounts with cents, dates as dates, nothing as "(empty)".
std::string ValueText(const ColumnDescription* column, const kw::Variant& value) {
  if (value.IsNull() || value.IsEmpty()) return "(empty)";
  std::string text = value.ToText();
  if (!column) return text;
  switch (column->kind) {
    case ColumnKind::kMoney: return AmountText(kw::Variant::Text(text).ToDouble());
    case ColumnKind::kDate: return kw::dates::ToText(kw::Variant::Text(text).ToDouble());
    default: return text;
  }
}

}  // namespace

std::vector<Change> ScreenForm::History(const std::string& field) {
  const auto records = std::dynamic_pointer_cast<TableBusinessObject>(MainObject());
  if (!records || records->Count() == 0 || records->IsNew()) return {};
  const TableDescription& table = records->Table();
  std::vector<Change> changes = ChangesOf(records->Connection(), table.name, records->FieldValueAt({}, 1));
  if (field.empty()) return changes;
  const ColumnDescription* column = nullptr;
  for (const ColumnDescription& described : table.columns)
    if (described.field == field) column = &described;
  if (!column) throw ScreenRefusal("no field \"" + field + "\" here");
  std::erase_if(changes, [&](const Change& change) {
    return !change.field.empty() && kw::text::Lower(change.field) != kw::text::Lower(column->name);
  });
  return changes;
}

std::string ScreenForm::ChangeLine(const Change& change) {
  const auto records = std::dynamic_pointer_cast<TableBusinessObject>(MainObject());
  const ColumnDescription* column = records ? ColumnNamed(records->Table(), change.field) : nullptr;
  const std::string caption = column ? std::string(column->caption) : change.field;
  if (change.rule != 0) {
    const std::string on = caption.empty() ? "" : " on " + caption + " (" + ValueText(column, change.new_value) + ")";
    return "question " + std::to_string(change.rule) + on + " accepted" + ByWhom(change) + ": " + change.message;
  }
  if (change.field.empty()) return (change.old_value.IsNull() ? "added" : "removed") + ByWhom(change);
  return caption + " " + ValueText(column, change.old_value) + " -> " + ValueText(column, change.new_value) +
         ByWhom(change);
}

std::string ByWhom(const Change& change) { return " by " + change.who + " on " + StampText(change.when); }

}  // namespace trf
