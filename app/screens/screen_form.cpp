// The screen base: SharedProcedures binding, lifecycle through the library, command-bar buttons
// and the default answers of the typed operations.
#include "app/screens/screen_form.h"

#include "app/screens/operation_guard.h"

#include <algorithm>

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/error.h"

namespace trf {
ScreenForm::ScreenForm(std::string key, std::string name, std::string title, kw::enumHomeMonth depends_on)
    : key_(std::move(key)), name_(std::move(name)), title_(std::move(title)), depends_on_(depends_on) {}

ScreenForm::~ScreenForm() = default;

void ScreenForm::Load(ScreenEvents& events) {
  events_ = &events;
  shared_ = kw::CreateObjectAs<kw::SharedProcedures>(kw::class_ids::kSharedProcedures);
  shared_->OwnerForm(std::dynamic_pointer_cast<kw::I_FRM_Shared>(shared_from_this()));
  OnLoad();
}

void ScreenForm::Unload() {
  TakeButtonsOffBar();
  if (shared_) shared_->OwnerForm(nullptr);
}

bool ScreenForm::Enter(kw::ActiveParams& params) {
  if (!shared_->OnActivate(params, depends_on_)) return false;
  first_time_ = false;
  PutButtonsOnBar();
  return true;
}

bool ScreenForm::Leave() {
  BeforeLeave();
  const kw::LIPtr main = MainObject();
  if (!(main ? shared_->OnDeactivate(main) : DeactivateLocal())) return false;
  TakeButtonsOffBar();
  return true;
}

bool ScreenForm::Save() {
  const kw::LIPtr main = MainObject();
  return !main || shared_->OnSave(main);
}

void ScreenForm::Perform(const std::function<void()>& operation) {
  RunRefusable(operation, [this] { Recover(); });
}

bool ScreenForm::EveryOnActivate(kw::ActiveParams&) {
  if (stale_) Refresh();
  return true;
}

kw::Variant ScreenForm::Refresh() {
  Reload();
  stale_ = false;
  return kw::Variant::Boolean(true);
}

bool ScreenForm::ValidateForSendoff(bool quiet) {
  return std::ranges::all_of(SendoffTargets(), [&](const SendoffTarget& target) {
    kw::ObjectPtr selected = target.list ? kw::GetMember(target.list, "SelectedItem").ToObject() : nullptr;
    return shared_->ValidateForSendoff(target.object, true, target.list, selected, quiet);
  });
}

void ScreenForm::Describe(ScreenView& view) {
  kw::SharedProcedures& shared = *shared_;
  view.context.home_id = shared.CurrentH_HomesID();
  view.context.home_num = shared.CurrentHomeNum();
  view.context.month_id = shared.CurrentH_HomeMonthlyStatsID();
  view.context.month_date = shared.CurrentTRFDate();
  view.context.month_status = shared.CurrentStatStatus();
  view.context.trf_reopened = shared.TrfReopened();
}

std::string ScreenForm::Purpose() const { return title_ + ": nothing to edit here."; }

void ScreenForm::SelectRow(int) { throw ScreenRefusal("this screen has no list"); }

void ScreenForm::EditField(const std::string& field, const std::string&) {
  throw ScreenRefusal("this screen has no field \"" + field + "\"");
}

void ScreenForm::FocusField(const std::string& field) {
  if (!field.empty()) throw ScreenRefusal("this screen has no field \"" + field + "\"");
}

void ScreenForm::SaveScreen() {
  if (!MainObject()) throw ScreenRefusal("this screen has nothing to save");
  Say(Save() ? "saved" : "not saved");
}

void ScreenForm::AddRecord() { throw ScreenRefusal("this screen has no list to add to"); }

void ScreenForm::RemoveRecord() { throw ScreenRefusal("this screen has no list to remove from"); }

void ScreenForm::UndoEdits() { throw ScreenRefusal("this screen has no edits to undo"); }

void ScreenForm::Choose(const std::string&) { throw ScreenRefusal("this screen has nothing to choose"); }

void ScreenForm::CollectProblems(std::vector<Problem>&) {}

void ScreenForm::OpenRecord(const std::string& record_key, const std::string&) {
  if (record_key.empty()) return;
  throw ScreenRefusal(Caption() + " has no record " + record_key);
}

void ScreenForm::AddToReport(MonthReport&) {}

kw::Variant ScreenForm::Call(std::string_view member, const kw::Args& args) {
  for (const Button& button : buttons_) {
    if (button.key == member) {
      const kw::Variant* value = args.Find(0, "Value");
      button.on_click(value ? value->ToInteger() : int16_t{0});
      return {};
    }
  }
  return kw::I_FRM_Shared::Call(member, args);
}

void ScreenForm::AddButton(const std::string& key, const std::string& caption, std::function<void(int16_t)> on_click,
                           int32_t style) {
  buttons_.push_back(Button{key, caption, style, std::move(on_click), true});
}

void ScreenForm::EnableButton(const std::string& key, bool enabled) {
  for (Button& button : buttons_) {
    if (button.key != key) continue;
    button.enabled = enabled;
    if (on_bar_) Container().SetCommandButtonState(key, enabled, 0);
  }
}

void ScreenForm::Say(const std::string& text) { Events().Notice(*this, text); }

ScreenEvents& ScreenForm::Events() const {
  static NoScreenEvents nobody;
  return events_ ? *events_ : nobody;
}

kw::TrfContainer& ScreenForm::Container() const { return *shared_->pTrfContainer(); }

void ScreenForm::PutButtonsOnBar() {
  if (on_bar_) return;
  for (const Button& button : buttons_) {
    Container().AddCommandButton(nullptr, button.key, shared_from_this(), button.style, button.caption);
    if (!button.enabled) Container().SetCommandButtonState(button.key, false, 0);
  }
  on_bar_ = true;
}

void ScreenForm::TakeButtonsOffBar() {
  if (!on_bar_) return;
  for (const Button& button : buttons_) Container().RemoveCommandButton(button.key);
  on_bar_ = false;
}

}  // namespace trf
