// The record screens' list, field boxes and record commands on the library's list binding.
#include "app/screens/record_screen.h"

#include <tuple>

#include "app/screens/listed_records.h"
#include "ui_shared/platform/system_colors.h"
#include "ui_shared/platform/text.h"
#include "ui_shared/shared_procedures/context_keys.h"
#include "ui_shared/shared_procedures/list_keys.h"

namespace trf {
namespace {

constexpr uint32_t kWindowBackground = kw::SystemColor(kw::kColorWindow);
constexpr uint32_t kButtonFace = kw::SystemColor(kw::kColorButtonFace);

// A value as a field box or a list cell shows it: "" for nothing.
std::string Displayed(const kw::Variant& value) {
  return value.IsNull() || value.IsEmpty() ? std::string() : value.ToText();
}

}  // namespace

RecordScreen::RecordScreen(std::string key, std::string name, std::string title, kw::enumHomeMonth depends_on,
                           RecordScreenLayout layout, std::shared_ptr<Database> database)
    : ScreenForm(std::move(key), std::move(name), std::move(title), depends_on), layout_(std::move(layout)),
      database_(std::move(database)) {
  const TableDescription& table = *layout_.table;
  for (const ColumnDescription& column : table.columns) {
    if (column.field.empty()) continue;
    fields_.push_back(Field{&column, static_cast<int16_t>(table.Position(column.name) - 1), {}});
  }
  for (const ColumnDescription& column : table.columns) {
    if (column.list_width <= 0) continue;
    listed_.push_back(&column);
    column_lookups_.push_back(column.kind == ColumnKind::kLookup ? std::optional<Field>(Field{&column, 0, {}})
                                                                 : std::nullopt);
  }
}

void RecordScreen::OnLoad() {
  std::vector<kw::ObjectPtr> elements;
  for (const Field& field : fields_) {
    boxes_.push_back(kw::widgets::TextBox::Make());
    tags_.push_back(Shared()->CreateTag(layout_.class_number, field.number));
    elements.push_back(boxes_.back());
  }
  box_array_ = std::make_shared<kw::widgets::ControlArray>(elements);
  kw::Variant columns;
  for (size_t c = 0; c < listed_.size(); ++c) {
    const ColumnDescription& column = *listed_[c];
    columns = Shared()->LVColumnInfo(std::string(column.name), std::string(column.caption), column.list_width, c > 0);
  }
  list_ = std::make_unique<BoundList>(nullptr, std::string(layout_.table->Key().name), columns);
}

std::string RecordScreen::Context() const {
  return Shared()->CurrentH_HomesID() + "/" + Shared()->CurrentH_HomeMonthlyStatsID();
}

void RecordScreen::Reload() {
  records_ = LoadRecords();
  loaded_for_ = Context();
  LoadChoices();
  saved_since_load_ = false;
  list_->Bind(records_, std::make_shared<ListedRecords>(records_));
  list_->Build(*Shared(), "");
  Events().ListReset(*this);
  ShowCurrentRecord();
}

bool RecordScreen::LoadChoices() {
  bool changed = false;
  const auto load = [&](Field& field) {
    const LookupChoices before = field.choices;
    field.choices.Load(*database_, *field.column, *Shared());
    changed = changed || !(field.choices == before);
  };
  for (Field& field : fields_)
    if (field.column->kind == ColumnKind::kLookup) load(field);
  for (std::optional<Field>& lookup : column_lookups_)
    if (lookup) load(*lookup);
  return changed;
}

bool RecordScreen::EveryOnActivate(kw::ActiveParams&) {
  if (!records_ || Stale() || saved_since_load_ || loaded_for_ != Context()) {
    Refresh();
    return true;
  }
  // Another screen may have renamed a record a lookup column names: only then are the rows redrawn.
  if (LoadChoices() && list_->Rows() > 0) Events().RowsChanged(*this, 0, list_->Rows());
  ShowCurrentRecord();
  return true;
}

void RecordScreen::BeforeLeave() {
  saved_since_load_ = saved_since_load_ || (records_ && (records_->IsDirty() || records_->PendingChanges() > 0));
}

int RecordScreen::ListRows() const { return list_ ? list_->Rows() : 0; }

std::string RecordScreen::ListKey(int row) const { return list_ ? list_->Key(row) : std::string(); }

std::string RecordScreen::ListCell(int row, int column) const {
  std::string text = list_->Cell(row, column);
  if (const LookupChoices* choices = ColumnChoices(static_cast<size_t>(column))) {
    if (const std::optional<std::string> name = choices->NameOf(kw::Variant::Text(text))) return *name;
  }
  return text;
}

bool RecordScreen::ReadOnly() {
  return database_->ReadOnly() ||
         (DependsOn() == kw::icDependsOnMonth && Container().CurrentStatStatus() != kw::kStatStatusActive);
}

std::vector<std::string> RecordScreen::Fields() const {
  std::vector<std::string> names;
  for (const Field& field : fields_) names.emplace_back(field.column->field);
  return names;
}

size_t RecordScreen::FieldIndex(const std::string& name) const {
  std::string names;
  for (size_t i = 0; i < fields_.size(); ++i) {
    if (fields_[i].column->field == name) return i;
    names += (names.empty() ? "" : ", ") + std::string(fields_[i].column->field);
  }
  throw ScreenRefusal("no field \"" + name + "\" here; the fields are: " + names);
}

kw::Variant RecordScreen::ParentId(const std::string& id) {
  return kw::Variant::Long(id.empty() ? 0 : kw::Variant::Text(id).ToLong());
}

std::string RecordScreen::ShownProperty(const std::string& property) const {
  return Displayed(records_->Get(property));
}

std::string RecordScreen::CurrentKey() const {
  const bool has_record = records_ && records_->Count() > 0 && records_->CurrentIndex().ToLong() > 0;
  return has_record ? Displayed(records_->FieldValueAt(kw::Variant::Long(-1), 1)) : std::string();
}

std::string RecordScreen::Shown(const Field& field) const {
  const kw::Variant value = records_->FieldValueAt(kw::Variant::Long(-1), field.number + 1);
  if (field.column->kind == ColumnKind::kLookup) {
    if (const std::optional<std::string> name = field.choices.NameOf(value)) return *name;
  }
  return Displayed(value);
}

const LookupChoices* RecordScreen::ColumnChoices(size_t column) const {
  return column < column_lookups_.size() && column_lookups_[column] ? &column_lookups_[column]->choices : nullptr;
}

void RecordScreen::ShowCurrentRecord() {
  const bool has_record = !CurrentKey().empty();
  for (size_t i = 0; i < boxes_.size(); ++i) boxes_[i]->SetText(has_record ? Shown(fields_[i]) : "");
  Events().FieldsChanged(*this);
}

void RecordScreen::AnnounceSelection() { Events().SelectionMoved(*this, list_->SelectedRow()); }

void RecordScreen::AnnounceRowCount(int32_t before, int row) {
  const int32_t now = list_->Rows();
  if (now == before) return;
  if (row >= 0 && now == before + 1) {
    Events().RowsInserted(*this, row, 1);
  } else if (row >= 0 && now == before - 1) {
    Events().RowsRemoved(*this, row, 1);
  } else {
    Events().ListReset(*this);
  }
}

void RecordScreen::Describe(ScreenView& view) {
  ScreenForm::Describe(view);
  list_->Describe(view);
  for (auto& row : view.list->rows) {
    for (size_t c = 0; c < row.size(); ++c) {
      const LookupChoices* choices = ColumnChoices(c);
      if (!choices) continue;
      if (const std::optional<std::string> name = choices->NameOf(kw::Variant::Text(row[c]))) row[c] = *name;
    }
  }
  for (const ColumnDescription* column : listed_) view.list->kinds.push_back(column->kind);
  for (size_t i = 0; i < boxes_.size(); ++i) {
    const ColumnDescription& column = *fields_[i].column;
    const bool active = active_ == i;
    ScreenField& field = view.fields.emplace_back();
    field.name = std::string(column.field);
    field.caption = std::string(column.caption);
    field.kind = column.kind;
    field.required = column.required;
    field.bounds = column.bounds;
    field.max_length = column.max_length;
    field.choices = fields_[i].choices.Names();
    field.value = boxes_[i]->Text();
    field.active = active;
    field.read_only = boxes_[i]->Locked();
    field.back_color = boxes_[i]->BackColor();
    field.fore_color = active ? static_cast<uint32_t>(active_fore_color_) : kw::SystemColor(kw::kColorWindowText);
    field.help_context = boxes_[i]->HelpContextID();
  }
  DescribeStandings(view.fields);
  const bool editable = records_ && !ReadOnly();
  view.allows.add = editable && layout_.adds_records;
  view.allows.remove = view.allows.add && !CurrentKey().empty();
  view.allows.save = editable && (records_->IsDirty() || records_->PendingChanges() > 0);
  view.allows.undo = true;
}

void RecordScreen::SelectRow(int row) {
  const kw::ObjectPtr item = list_->Row(row);
  ListItemClick(item);
  if (list_->PreviousItem() != item)
    throw ScreenRefusal("the selection stays: the record being left must be put right first");
}

kw::Variant RecordScreen::ListItemClick(const kw::ObjectPtr& item) {
  std::ignore = list_->ClickItem(*Shared(), item);  // where the selection ended is shown next
  AnnounceSelection();
  ShowCurrentRecord();
  return kw::Variant::Object(list_->PreviousItem());
}

void RecordScreen::EditField(const std::string& field, const std::string& text) {
  const size_t index = FieldIndex(field);
  if (!records_ || records_->Count() == 0) throw ScreenRefusal("there is no record to edit");
  if (boxes_[index]->Locked()) throw ScreenRefusal("the field \"" + field + "\" is read-only now");
  std::string typed = text;
  const Field& edited = fields_[index];
  if (edited.column->kind == ColumnKind::kLookup && !kw::text::Trim(text).empty()) {
    const std::optional<kw::Variant> key = edited.choices.KeyOf(text);
    if (!key) {
      std::string names;
      for (const std::string& name : edited.choices.Names()) names += (names.empty() ? "" : ", ") + name;
      throw ScreenRefusal("no " + kw::text::Lower(edited.column->caption) + " is named \"" + text + "\"" +
                          (names.empty() ? "; there is none to choose from" : "; choose one of: " + names));
    }
    typed = *edited.choices.NameOf(*key);
  }
  Focus(index);
  boxes_[index]->Type(typed);
  LeaveField(index);
}

void RecordScreen::UndoEdits() {
  const std::string key = CurrentKey();
  Reload();
  if (!key.empty() && records_->Exists(key)) {
    records_->CurrentIndex(kw::Variant::Text(key));
    SelectCurrentRecord();
    ShowCurrentRecord();
  }
  AnnounceSelection();
  Say("the unsaved edits were discarded");
}

bool RecordScreen::LeaveField(size_t index) {
  const Field& field = fields_[index];
  const std::string& text = boxes_[index]->Text();
  kw::Variant value = text.empty() ? kw::Variant::Null() : kw::Variant::Text(text);
  if (field.column->kind == ColumnKind::kLookup && !text.empty()) {
    if (const std::optional<kw::Variant> key = field.choices.KeyOf(text)) value = *key;
  }
  records_->FieldValue(Shared()->GetFieldEnumFromTag(tags_[index]) + 1, value);
  const bool valid = Shared()->ValidateField(records_, field.number);
  RefreshSelectedRow();
  ShowCurrentRecord();
  Events().FieldChecked(*this, std::string(field.column->field), std::string(field.column->caption), valid);
  return valid;
}

void RecordScreen::Focus(size_t index) {
  if (active_ && *active_ != index) {
    boxes_[*active_]->SetBackColor(boxes_[*active_]->Locked() ? kButtonFace : kWindowBackground);
    boxes_[*active_]->LoseFocus();
  }
  active_ = index;
  boxes_[index]->SetBackColor(static_cast<uint32_t>(Shared()->ActiveFieldBackColor()));
  active_fore_color_ = Shared()->ActiveFieldForeColor().ToLong();
  boxes_[index]->SetFocus();
  Events().FieldsChanged(*this);
}

void RecordScreen::Blur() {
  if (!active_) return;
  boxes_[*active_]->SetBackColor(boxes_[*active_]->Locked() ? kButtonFace : kWindowBackground);
  boxes_[*active_]->LoseFocus();
  active_.reset();
  Events().FieldsChanged(*this);
}

void RecordScreen::FocusField(const std::string& field) {
  if (field.empty()) {
    Blur();
  } else if (const size_t index = FieldIndex(field); active_ != index) {
    Focus(index);
  }
}

void RecordScreen::DescribeStandings(std::vector<ScreenField>& fields) const {
  if (!records_ || records_->Count() == 0 || records_->CurrentIndex().ToLong() <= 0) return;
  // The gravest finding per field: an error over a question over an accepted question.
  const auto note = [&](int32_t field_number, Standing standing, const std::string& message) {
    for (size_t i = 0; i < fields_.size(); ++i) {
      ScreenField& field = fields[i];
      if (fields_[i].number != field_number || (field.standing != Standing::kFine && field.standing <= standing))
        continue;
      field.standing = standing;
      field.problem = message;
    }
  };
  for (const kw::HardRulePtr& rule : records_->HardRules()->Rules())
    note(rule->FieldEnum(), Standing::kError, rule->Feedback());
  for (const kw::SoftRulePtr& rule : records_->SoftRules()->Rules()) {
    if (rule->IsQuestion() && rule->Enabled())
      note(rule->FieldEnum(), rule->Broken() ? Standing::kQuestion : Standing::kAccepted, rule->Feedback());
  }
}

void RecordScreen::SetFocusTo(const std::string& tag) {
  for (size_t i = 0; i < tags_.size(); ++i)
    if (tags_[i] == tag) Focus(i);
}

kw::Variant RecordScreen::ToggleReadWrite() {
  const bool read_only = ReadOnly() || !records_ || records_->Count() == 0;
  Shared()->ToggleReadWrite(box_array_, read_only);
  if (active_ && !read_only) boxes_[*active_]->SetBackColor(static_cast<uint32_t>(Shared()->ActiveFieldBackColor()));
  Events().FieldsChanged(*this);
  return kw::Variant::Boolean(read_only);
}

void RecordScreen::RefreshSelectedRow() {
  const auto item = list_->View()->SelectedListItem();
  if (!item) return;
  std::vector<std::string> cells;
  for (const ColumnDescription* column : listed_) cells.push_back(ShownProperty(std::string(column->name)));
  const std::string key = item->Key();
  const int32_t position = item->Index();
  list_->View()->Entries().Remove(*item);
  const auto fresh = list_->View()->Items().Add(key, cells[0], kw::Variant(), position);
  for (size_t c = 1; c < cells.size(); ++c) fresh->SubItems().Add(cells[c]);
  fresh->Selected(true);
  list_->PreviousItem() = fresh;
  Events().RowsChanged(*this, position - 1, 1);
}

void RecordScreen::SelectCurrentRecord() {
  const std::string key = CurrentKey();
  if (!key.empty()) list_->SelectKey(key);
  AnnounceSelection();
}

void RecordScreen::Recover() {
  if (!records_) return;
  SelectCurrentRecord();
  ShowCurrentRecord();
}

void RecordScreen::SaveScreen() {
  if (records_ && !records_->IsDirty() && records_->PendingChanges() == 0) {
    Say("nothing to save: there are no unsaved changes");
    return;
  }
  if (!Save()) throw ScreenRefusal("the record was not saved: put it right first; your edits are kept");
  saved_since_load_ = true;
  ShowCurrentRecord();
  Say("record saved");
}

void RecordScreen::AddRecord() {
  if (database_->ReadOnly()) throw ScreenRefusal("nothing can be added: the database is open read-only");
  if (ReadOnly()) throw ScreenRefusal("nothing can be added while the month's TRF is not active");
  bool not_added = false;
  const int32_t before = list_->Rows();
  const kw::ObjectPtr item = Shared()->AddItem(list_->View(), nullptr, 0, records_, list_->PreviousItem(), "",
                                               layout_.new_entry_text, false, not_added);
  AnnounceRowCount(before, list_->SelectedRow());
  if (not_added) throw ScreenRefusal("nothing was added: the current record must be put right first");
  list_->PreviousItem() = item;
  AnnounceSelection();
  ShowCurrentRecord();
  Focus(0);
  Say("added a record; fill in its fields");
}

void RecordScreen::RemoveRecord() {
  if (!records_ || records_->Count() == 0) throw ScreenRefusal("there is no record to remove");
  if (database_->ReadOnly()) throw ScreenRefusal("nothing can be removed: the database is open read-only");
  if (ReadOnly()) throw ScreenRefusal("nothing can be removed while the month's TRF is not active");
  bool removed = false;
  const int32_t before = list_->Rows();
  const int selected = list_->SelectedRow();
  const kw::ObjectPtr result = Shared()->RemoveItem(list_->View(), records_, "", list_->PreviousItem(), removed);
  AnnounceRowCount(before, selected);
  if (!removed) {
    Say("nothing removed");
    return;
  }
  list_->PreviousItem() = result;
  AnnounceSelection();
  ShowCurrentRecord();
  Say("removed the record");
}

bool RecordScreen::ValidateForSendoff(bool quiet) {
  if (!records_ || loaded_for_ != Context()) Refresh();
  const bool ready = ScreenForm::ValidateForSendoff(quiet);
  // A question the person accepted here stays accepted whether or not the send-off goes on: on record.
  if (!quiet) records_->RecordAcceptedQuestions();
  SelectCurrentRecord();
  AnnounceSelection();
  ShowCurrentRecord();
  const auto selected = list_->View()->SelectedListItem();
  const std::string where =
      ready || !selected ? "" : " at row " + std::to_string(selected->Index()) + ", " + selected->Text();
  Say(Title() + (ready ? ": ready for send-off" : ": not ready for send-off" + where) +
      (quiet ? " (checked without messages)" : ""));
  return ready;
}

void RecordScreen::SendOffPassed() {
  if (records_) records_->RecordAcceptedQuestions();
}

}  // namespace trf
