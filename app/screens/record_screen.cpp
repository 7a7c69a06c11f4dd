// The record screens' list, field boxes and record commands on the library's list binding.
#include "app/screens/record_screen.h"

#include "ui_shared/platform/system_colors.h"
#include "ui_shared/shared_procedures/context_keys.h"

namespace trf {
namespace {

constexpr uint32_t kWindowBackground = kw::SystemColor(kw::kColorWindow);
constexpr uint32_t kButtonFace = kw::SystemColor(kw::kColorButtonFace);

// A value as a field box or a list cell shows it: "" for nothing.
std::string ShownValue(const kw::Variant& value) {
  return value.IsNull() || value.IsEmpty() ? std::string() : value.ToText();
}

}  // namespace

RecordScreen::RecordScreen(std::string key, std::string name, std::string title, kw::enumHomeMonth depends_on,
                           RecordScreenLayout layout, std::shared_ptr<Database> database)
    : ScreenForm(std::move(key), std::move(name), std::move(title), depends_on), layout_(std::move(layout)),
      database_(std::move(database)) {}

void RecordScreen::OnLoad() {
  std::vector<kw::ObjectPtr> elements;
  for (const RecordScreenLayout::Field& field : layout_.fields) {
    boxes_.push_back(kw::widgets::TextBox::Make());
    tags_.push_back(Shared()->CreateTag(layout_.class_number, field.field));
    elements.push_back(boxes_.back());
  }
  box_array_ = std::make_shared<kw::widgets::ControlArray>(elements);
  kw::Variant columns;
  for (size_t c = 0; c < layout_.columns.size(); ++c) {
    const RecordScreenLayout::Column& column = layout_.columns[c];
    columns = Shared()->LVColumnInfo(column.property, column.caption, column.width, c > 0);
  }
  list_ = std::make_unique<BoundList>(nullptr, layout_.key_property, columns);
}

std::string RecordScreen::Context() const {
  return Shared()->CurrentH_HomesID() + "/" + Shared()->CurrentH_HomeMonthlyStatsID();
}

void RecordScreen::Reload() {
  records_ = LoadRecords();
  loaded_for_ = Context();
  list_->Bind(records_);
  list_->Build(*Shared(), "");
  ShowCurrentRecord();
}

bool RecordScreen::EveryOnActivate(kw::ActiveParams&) {
  Refresh();
  return true;
}

bool RecordScreen::ReadOnly() {
  return DependsOn() == kw::icDependsOnMonth && Container().CurrentStatStatus() != kw::kStatStatusActive;
}

std::shared_ptr<kw::widgets::TextBox> RecordScreen::FieldBox(const std::string& name) const {
  for (size_t i = 0; i < layout_.fields.size(); ++i)
    if (layout_.fields[i].name == name) return boxes_[i];
  return nullptr;
}

std::vector<std::string> RecordScreen::Fields() const {
  std::vector<std::string> names;
  for (const RecordScreenLayout::Field& field : layout_.fields) names.push_back(field.name);
  return names;
}

size_t RecordScreen::FieldIndex(const std::string& name) const {
  std::string names;
  for (size_t i = 0; i < layout_.fields.size(); ++i) {
    if (layout_.fields[i].name == name) return i;
    names += (names.empty() ? "" : ", ") + layout_.fields[i].name;
  }
  throw ScreenRefusal("no field \"" + name + "\" here; the fields are: " + names);
}

kw::Variant RecordScreen::ParentId(const std::string& id) {
  return kw::Variant::Long(id.empty() ? 0 : kw::Variant::Text(id).ToLong());
}

std::string RecordScreen::ShownProperty(const std::string& property) const {
  return ShownValue(records_->Get(property));
}

void RecordScreen::ShowCurrentRecord() {
  const bool has_record = records_ && records_->Count() > 0 && records_->CurrentIndex().ToLong() > 0;
  for (size_t i = 0; i < boxes_.size(); ++i) {
    const int32_t position = layout_.fields[i].field + 1;
    boxes_[i]->SetText(has_record ? ShownValue(records_->FieldValueAt(kw::Variant::Long(-1), position)) : "");
  }
}

void RecordScreen::Describe(ScreenView& view) {
  ScreenForm::Describe(view);
  list_->Describe(view);
  for (size_t i = 0; i < boxes_.size(); ++i) {
    const bool active = active_ == i;
    view.fields.push_back({layout_.fields[i].name, boxes_[i]->Text(), active, boxes_[i]->Locked(),
                           boxes_[i]->BackColor(),
                           active ? static_cast<uint32_t>(active_fore_color_) : kw::SystemColor(kw::kColorWindowText)});
  }
}

void RecordScreen::SelectRow(int row) { ListItemClick(list_->Row(row)); }

kw::Variant RecordScreen::ListItemClick(const kw::ObjectPtr& item) {
  bool moved = false;
  if (!Attempt([&] { moved = list_->ClickItem(*Shared(), item); })) {
    SelectCurrentRecord();
    ShowCurrentRecord();
    Say("the selection stays: the record being left could not be saved");
    return kw::Variant::Object(list_->PreviousItem());
  }
  ShowCurrentRecord();
  if (!moved) Say("the selection stays: the record being left must be put right first");
  return kw::Variant::Object(list_->PreviousItem());
}

void RecordScreen::EditField(const std::string& field, const std::string& text) {
  const size_t index = FieldIndex(field);
  if (!records_ || records_->Count() == 0) throw ScreenRefusal("there is no record to edit");
  if (boxes_[index]->Locked()) throw ScreenRefusal("the field \"" + field + "\" is read-only now");
  Focus(index);
  boxes_[index]->Type(text);
  LeaveField(index);
}

void RecordScreen::UndoEdits() {
  const std::string key = records_ && records_->Count() > 0 && records_->CurrentIndex().ToLong() > 0
                              ? ShownValue(records_->FieldValueAt(kw::Variant::Long(-1), 1))
                              : std::string();
  Reload();
  if (!key.empty() && records_->Exists(key)) {
    records_->CurrentIndex(kw::Variant::Text(key));
    SelectCurrentRecord();
    ShowCurrentRecord();
  }
  Say("the unsaved edits were discarded");
}

bool RecordScreen::LeaveField(size_t index) {
  const int16_t field = Shared()->GetFieldEnumFromTag(tags_[index]);
  const std::string& text = boxes_[index]->Text();
  records_->FieldValue(field + 1, text.empty() ? kw::Variant::Null() : kw::Variant::Text(text));
  const bool valid = Shared()->ValidateField(records_, field);
  RefreshSelectedRow();
  ShowCurrentRecord();
  Say(layout_.fields[index].name + (valid ? " accepted" : " refused"));
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
}

void RecordScreen::SetFocusTo(const std::string& tag) {
  for (size_t i = 0; i < tags_.size(); ++i)
    if (tags_[i] == tag) Focus(i);
}

kw::Variant RecordScreen::ToggleReadWrite() {
  const bool read_only = ReadOnly() || !records_ || records_->Count() == 0;
  Shared()->ToggleReadWrite(box_array_, read_only);
  if (active_ && !read_only) boxes_[*active_]->SetBackColor(static_cast<uint32_t>(Shared()->ActiveFieldBackColor()));
  return kw::Variant::Boolean(read_only);
}

void RecordScreen::RefreshSelectedRow() {
  const auto item = list_->View()->SelectedListItem();
  if (!item) return;
  std::vector<std::string> cells;
  for (const RecordScreenLayout::Column& column : layout_.columns) cells.push_back(ShownProperty(column.property));
  const std::string key = item->Key();
  const int32_t position = item->Index();
  list_->View()->Entries().Remove(*item);
  const auto fresh = list_->View()->Items().Add(key, cells[0], kw::Variant(), position);
  for (size_t c = 1; c < cells.size(); ++c) fresh->SubItems().Add(cells[c]);
  fresh->Selected(true);
  list_->PreviousItem() = fresh;
}

void RecordScreen::SelectCurrentRecord() {
  if (!records_ || records_->Count() == 0 || records_->CurrentIndex().ToLong() < 1) return;
  list_->SelectKey(ShownValue(records_->FieldValueAt(kw::Variant::Long(-1), 1)));
}

void RecordScreen::SaveScreen() {
  if (records_ && !records_->IsDirty() && records_->PendingChanges() == 0) {
    Say("nothing to save: there are no unsaved changes");
    return;
  }
  const bool saved = Save();
  ShowCurrentRecord();
  Say(saved           ? "record saved"
      : DataRefused() ? "record not saved: the stored data refused it (see above); your edits are kept"
                      : "record not saved: put it right first");
}

void RecordScreen::AddRecord() {
  if (ReadOnly()) throw ScreenRefusal("nothing can be added while the month's TRF is not active");
  bool not_added = true;
  kw::ObjectPtr item;
  Attempt([&] {
    item = Shared()->AddItem(list_->View(), nullptr, 0, records_, list_->PreviousItem(), "", layout_.new_entry_text,
                             false, not_added);
  });
  if (not_added) {
    Say("nothing added: the current record must be put right first");
    return;
  }
  list_->PreviousItem() = item;
  ShowCurrentRecord();
  Focus(0);
  Say("added a record; fill in its fields");
}

void RecordScreen::RemoveRecord() {
  if (!records_ || records_->Count() == 0) throw ScreenRefusal("there is no record to remove");
  if (ReadOnly()) throw ScreenRefusal("nothing can be removed while the month's TRF is not active");
  bool removed = false;
  kw::ObjectPtr result;
  Attempt([&] { result = Shared()->RemoveItem(list_->View(), records_, "", list_->PreviousItem(), removed); });
  if (!removed) {
    Say("nothing removed");
    return;
  }
  list_->PreviousItem() = result;
  ShowCurrentRecord();
  Say("removed the record");
}

bool RecordScreen::ValidateForSendoff(bool quiet) {
  if (!records_ || loaded_for_ != Context()) Refresh();
  const bool ready = ScreenForm::ValidateForSendoff(quiet);
  SelectCurrentRecord();
  ShowCurrentRecord();
  const auto selected = list_->View()->SelectedListItem();
  const std::string where =
      ready || !selected ? "" : " at row " + std::to_string(selected->Index()) + ", " + selected->Text();
  Say(Title() + (ready ? ": ready for send-off" : ": not ready for send-off" + where) +
      (quiet ? " (checked without messages)" : ""));
  return ready;
}

}  // namespace trf
