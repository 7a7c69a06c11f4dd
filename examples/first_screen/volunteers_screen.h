// VolunteersScreen: the example's one screen, the volunteers of the current home in a list. It
// implements the form contract, through which its SharedProcedures calls back into it, and hands
// everything a screen does the same way as every other screen (activation, list building, clicks,
// field validation, saving, leaving) to that SharedProcedures.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ui_shared/forms/form_contract.h"
#include "ui_shared/shared_procedures/shared_procedures.h"
#include "volunteers.h"
#include "widgets/list_view.h"

namespace first_screen {

// The volunteers of the current home, in a list bound to their business object.
class VolunteersScreen : public kw::I_FRM_Shared {
 public:
  explicit VolunteersScreen(std::shared_ptr<Volunteers> volunteers) : volunteers_(std::move(volunteers)) {}
  std::string TypeName() const override { return "VolunteersScreen"; }

  // Creates the screen's SharedProcedures and binds it to the screen; Unload unbinds it, so that
  // the two no longer hold each other and both can go.
  void Load();
  void Unload();

  // What the user does: click a row of the list (1-based), type into a field and leave it.
  // False when the library kept the user where they were.
  bool ClickRow(int32_t row);
  bool Type(Position field, const std::string& text);

  kw::widgets::ListView& List() const { return *list_; }

  // ---- The form contract ----
  kw::PicturePtr Icon() override { return nullptr; }
  bool FirstTime() override { return first_time_; }
  std::string Title() override { return "Volunteers"; }
  int32_t FormEnum() override { return 0; }
  int32_t FormHeight() override { return 0; }
  int32_t FormWidth() override { return 0; }
  void ValidateMyControls() override {}
  kw::ObjectPtr FormControlsCollection() override { return nullptr; }
  bool Create(kw::ActiveParams&) override { return true; }
  bool Activate(kw::ActiveParams& params) override;
  bool Deactivate() override { return shared_->OnDeactivate(volunteers_); }
  bool Save() override;
  void DirtyOnActivate() override { stale_ = true; }
  bool EveryOnActivate(kw::ActiveParams&) override;
  bool DeactivateLocal() override { return true; }
  void UndoChanges() override { volunteers_->CancelEdit(); }
  bool ValidateForSendoff(bool quiet = false) override {
    return shared_->ValidateForSendoff(volunteers_, true, list_, selected_, quiet);
  }
  kw::Variant ListItemClick(const kw::ObjectPtr& item) override;
  kw::Variant ToggleReadWrite() override { return {}; }
  kw::Variant Refresh() override;
  void SetFocusTo(const std::string&) override {}
  void UpdateForm() override {}
  void SetInitialFocus() override {}
  bool PanelVisible(std::string&) override { return false; }

 private:
  std::shared_ptr<Volunteers> volunteers_;
  kw::SharedProceduresPtr shared_;
  std::shared_ptr<kw::widgets::ListView> list_ = std::make_shared<kw::widgets::ListView>();
  kw::ObjectPtr selected_;  // the row a click leaves
  kw::Variant columns_;
  bool first_time_ = true;
  bool stale_ = true;
};

}  // namespace first_screen
