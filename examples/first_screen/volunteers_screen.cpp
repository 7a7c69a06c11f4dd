// The volunteers screen: what it does itself, and what it hands to its SharedProcedures.
#include "volunteers_screen.h"

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/shared_procedures/list_keys.h"

namespace first_screen {

void VolunteersScreen::Load() {
  shared_ = kw::CreateObjectAs<kw::SharedProcedures>(kw::class_ids::kSharedProcedures);
  shared_->OwnerForm(std::dynamic_pointer_cast<kw::I_FRM_Shared>(shared_from_this()));
  shared_->LVColumnInfo("Name", "Name", 2400);
  columns_ = shared_->LVColumnInfo("HoursPerWeek", "Hours a week", 1200, true);
}

void VolunteersScreen::Unload() { shared_->OwnerForm(nullptr); }

bool VolunteersScreen::Activate(kw::ActiveParams& params) {
  if (!shared_->OnActivate(params, kw::icDependsOnHome)) return false;
  first_time_ = false;
  return true;
}

bool VolunteersScreen::EveryOnActivate(kw::ActiveParams&) {
  if (stale_) Refresh();
  return true;
}

kw::Variant VolunteersScreen::Refresh() {
  selected_ = shared_->BuildListView(list_, nullptr, 0, volunteers_, "VolunteerID", columns_);
  stale_ = false;
  return kw::Variant::Boolean(true);
}

bool VolunteersScreen::ClickRow(int32_t row) {
  const kw::ObjectPtr clicked = list_->Entries().At(row);
  ListItemClick(clicked);
  return selected_ == clicked;
}

kw::Variant VolunteersScreen::ListItemClick(const kw::ObjectPtr& item) {
  bool changed = false;
  selected_ = shared_->ItemClick(item, selected_, volunteers_, changed);
  return kw::Variant::Boolean(changed);
}

bool VolunteersScreen::Type(Position field, const std::string& text) {
  volunteers_->FieldValue(field, text.empty() ? kw::Variant::Null() : kw::Variant::Text(text));
  return shared_->ValidateField(volunteers_, field - 1);
}

bool VolunteersScreen::Save() {
  if (!shared_->OnSave(volunteers_)) return false;
  // The list shows what is stored: built again, with the saved record's row selected.
  const std::string key = volunteers_->FieldValueAt(kw::Variant(), kKey).ToText();
  Refresh();
  const kw::widgets::EntryPtr row = list_->Entries().Find(kw::ListKey(kw::kDefaultKeyPrefix, kw::Variant::Text(key)));
  row->Selected(true);
  volunteers_->CurrentIndex(kw::Variant::Text(key));
  selected_ = row;
  return true;
}

}  // namespace first_screen
