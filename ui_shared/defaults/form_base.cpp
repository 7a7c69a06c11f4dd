// The default form: its SharedProcedures, its list and fields, and what the person does, each run
// through the library.
#include "ui_shared/defaults/form_base.h"

#include <algorithm>

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/contracts/data.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/control_members.h"
#include "ui_shared/shared_procedures/list_keys.h"

namespace kw {
namespace {

constexpr int32_t kCurrentRecord = -1;

// The sentence of an error for a person: the last line of its description, below the trail.
std::string SentenceOf(const Error& error) {
  const std::string& description = error.Description();
  const size_t end = description.rfind('\n');
  return end == std::string::npos ? description : description.substr(end + 1);
}

}  // namespace

FormBase::FormBase(std::string title, LIPtr records, enumHomeMonth depends_on)
    : title_(std::move(title)), records_(std::move(records)), depends_on_(depends_on) {}

void FormBase::Load() {
  if (shared_) Raise(err::kInvalidCall, "", "The form \"" + title_ + "\" is loaded already.");
  const ObjectPtr self = weak_from_this().lock();
  if (!self)
    Raise(err::kInvalidCall, "", "The form \"" + title_ + "\" is not held by a shared_ptr: make it with LoadForm.");
  shared_ = CreateObjectAs<SharedProcedures>(class_ids::kSharedProcedures);
  shared_->OwnerForm(std::dynamic_pointer_cast<I_FRM_Shared>(self));
  OnLoad();
}

void FormBase::Unload() {
  if (shared_) shared_->OwnerForm(nullptr);
  shared_ = nullptr;
}

SharedProcedures& FormBase::Shared() const {
  if (!shared_) Raise(err::kObjectNotSet, "", "The form \"" + title_ + "\" is not loaded: call Load first.");
  return *shared_;
}

void FormBase::BindList(ObjectPtr list, std::string key_property) {
  list_ = std::move(list);
  key_property_ = std::move(key_property);
}

void FormBase::AddColumn(const std::string& property, const std::string& caption, int16_t width) {
  columns_ = Shared().LVColumnInfo(property, caption, width, column_count_ > 0);
  ++column_count_;
}

void FormBase::BindField(ObjectPtr box, int32_t position) {
  const auto field_enum = static_cast<int16_t>(position - 1);
  const int16_t class_number = records_ ? records_->ClassEnum() : int16_t{0};
  fields_.push_back({std::move(box), position, Shared().CreateTag(class_number, field_enum)});
}

bool FormBase::ClickRow(int32_t row) {
  const ObjectPtr items = GetMember(list_, member::kListItems).ToObject();
  const int32_t rows = GetMember(items, member::kCount).ToLong();
  if (row < 1 || row > rows)
    Raise(err::kSubscript, "",
          "\"" + title_ + "\" has no row " + std::to_string(row) + "; its list has " + std::to_string(rows) + ".");
  const ObjectPtr clicked = CallMember(items, member::kItem, {Variant::Long(row)}).ToObject();
  ListItemClick(clicked);
  return selected_ == clicked;
}

bool FormBase::AddRecord(const std::string& row_text) {
  bool not_added = false;
  selected_ = Shared().AddItem(list_, nullptr, 0, records_, selected_, "", row_text, false, not_added);
  UpdateForm();
  if (!not_added) SetInitialFocus();
  return !not_added;
}

bool FormBase::RemoveRecord() {
  bool removed = false;
  try {
    selected_ = Shared().RemoveItem(list_, records_, "", selected_, removed);
  } catch (const Error& refusal) {
    // The records refused: the person reads why, and the trail goes to the error log.
    Shared().ShowFeedbackForm(SentenceOf(refusal), "", kRuleHard, refusal.Number());
    CreateObjectAs<ErrorLog>(class_ids::kErrorLog)->Add(refusal);
    return false;
  }
  UpdateForm();
  return removed;
}

bool FormBase::Type(const ObjectPtr& box, const std::string& text) {
  CallMember(FieldOf(box).box, member::kSetFocus);
  LetMember(box, member::kText, Variant::Text(text));
  return LeaveField(box);
}

bool FormBase::LeaveField(const ObjectPtr& box) {
  const BoundField& field = FieldOf(box);
  const std::string typed = GetMember(box, member::kText).ToText();
  records_->FieldValue(field.position, typed.empty() ? Variant::Null() : Variant::Text(typed));
  if (!Shared().ValidateField(records_, field.position - 1)) {
    CallMember(box, member::kSetFocus);
    return false;
  }
  const Variant value = records_->FieldValueAt(Variant::Long(kCurrentRecord), field.position);
  LetMember(box, member::kText, Variant::Text(value.IsNull() ? "" : value.ToText()));
  return true;
}

bool FormBase::Create(ActiveParams&) { return true; }

bool FormBase::Activate(ActiveParams& apActiveParams) {
  if (!Shared().OnActivate(apActiveParams, depends_on_)) return false;
  first_time_ = false;
  return true;
}

bool FormBase::Deactivate() { return records_ ? Shared().OnDeactivate(records_) : DeactivateLocal(); }

bool FormBase::Save() {
  if (!records_) return true;
  if (!Shared().OnSave(records_)) return false;
  const std::string key = CurrentKey();
  Refresh();
  SelectRecord(key);
  return true;
}

bool FormBase::EveryOnActivate(ActiveParams&) {
  if (stale_) Refresh();
  return true;
}

void FormBase::UndoChanges() {
  if (!records_) return;
  const bool was_new = records_->IsNew();
  const std::string key = CurrentKey();
  records_->CancelEdit();
  if (was_new) {
    Refresh();  // the row of the dropped record goes with it
    return;
  }
  SelectRecord(key);
  UpdateForm();
}

bool FormBase::ValidateForSendoff(bool blnDisableMessages) {
  return !records_ || Shared().ValidateForSendoff(records_, true, list_, selected_, blnDisableMessages);
}

Variant FormBase::ListItemClick(const ObjectPtr& objItem) {
  bool changed = false;
  selected_ = Shared().ItemClick(objItem, selected_, records_, changed);
  UpdateForm();
  return Variant::Boolean(changed);
}

Variant FormBase::ToggleReadWrite() {
  const bool no_record = !records_ || records_->Count() == 0;
  for (const BoundField& field : fields_) Shared().ToggleReadWrite(field.box, no_record);
  return Variant();
}

Variant FormBase::Refresh() {
  stale_ = false;
  if (list_ && records_) {
    selected_ = Shared().BuildListView(list_, nullptr, 0, records_, key_property_, columns_);
  }
  UpdateForm();
  ToggleReadWrite();
  return Variant::Boolean(true);
}

void FormBase::SetFocusTo(const std::string& strTag) {
  const auto it = std::ranges::find(fields_, strTag, &BoundField::tag);
  if (it != fields_.end()) CallMember(it->box, member::kSetFocus);
}

void FormBase::UpdateForm() {
  const bool has_record = records_ && records_->Count() > 0;
  for (const BoundField& field : fields_) {
    const Variant value =
        has_record ? records_->FieldValueAt(Variant::Long(kCurrentRecord), field.position) : Variant::Null();
    LetMember(field.box, member::kText, Variant::Text(value.IsNull() ? "" : value.ToText()));
  }
}

void FormBase::SetInitialFocus() {
  if (!fields_.empty()) CallMember(fields_.front().box, member::kSetFocus);
}

bool FormBase::PanelVisible(std::string&) { return false; }

const FormBase::BoundField& FormBase::FieldOf(const ObjectPtr& box) const {
  const auto it = std::ranges::find(fields_, box, &BoundField::box);
  if (it == fields_.end())
    Raise(err::kInvalidCall, "", "This " + TypeNameOf(box) + " is not bound to a field of \"" + title_ + "\".");
  return *it;
}

void FormBase::SelectRecord(const std::string& key) {
  if (key.empty() || !list_ || !records_ || !records_->Exists(key)) return;
  const ObjectPtr items = GetMember(list_, member::kListItems).ToObject();
  const ObjectPtr row =
      CallMember(items, member::kItem, {Variant::Text(ListKey(kDefaultKeyPrefix, Variant::Text(key)))}).ToObject();
  LetMember(row, member::kSelected, Variant::Boolean(true));
  records_->CurrentIndex(Variant::Text(key));
  selected_ = row;
  UpdateForm();
}

std::string FormBase::CurrentKey() const {
  if (!records_ || records_->Count() == 0) return {};
  return records_->FieldValueAt(Variant::Long(kCurrentRecord), 1).ToText();
}

}  // namespace kw
