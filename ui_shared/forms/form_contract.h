// I_FRM_Shared: the interface every data-entry form implements, through which the library calls
// back into its owner form; and FormContract, the creatable published class whose members do
// nothing and answer the empty value of their result type.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ui_shared/contracts/container.h"
#include "ui_shared/platform/object.h"
#include "ui_shared/platform/picture.h"

namespace kw {

// The members in their interface order.
class I_FRM_Shared : public virtual Object {
 public:
  // The form's icon: the container shows it after an activation and the feedback dialog beside its
  // messages.
  virtual PicturePtr Icon() = 0;
  // True until the form has been activated once; a home screen's first activation marks its data
  // out of date.
  virtual bool FirstTime() = 0;
  // The form's title: the container shows it after an activation and the feedback dialog as its
  // caption.
  virtual std::string Title() = 0;
  // The form's number in the application, for the container's own use.
  virtual int32_t FormEnum() = 0;
  // The form's height, for the container's own use.
  virtual int32_t FormHeight() = 0;
  // The form's width, for the container's own use.
  virtual int32_t FormWidth() = 0;
  // Validates the values of the form's own controls, before the business object's rules run.
  virtual void ValidateMyControls() = 0;
  // The form's controls as a collection, for the container's own use.
  virtual ObjectPtr FormControlsCollection() = 0;
  // Builds the form when the container first shows it; false when it cannot be shown.
  virtual bool Create(ActiveParams& apActiveParams) = 0;
  // The container's request to show the form: runs the activation (the library's OnActivate); false
  // keeps the user where they are, with the key of the screen to show instead in `GotoFormKey`.
  virtual bool Activate(ActiveParams& apActiveParams) = 0;
  // The container's request to leave the form: runs the deactivation (the library's OnDeactivate);
  // false keeps the user on the form.
  virtual bool Deactivate() = 0;
  // The container's request to save the form's data (the library's OnSave); false when it was not
  // saved.
  virtual bool Save() = 0;
  // Tells the form that the data it shows is out of date (the context or the reopen counter
  // changed): the next EveryOnActivate reloads it.
  virtual void DirtyOnActivate() = 0;
  // Called on every activation that passed the context checks: the form brings what it shows up to
  // date. False ends the activation.
  virtual bool EveryOnActivate(ActiveParams& apActiveParams) = 0;
  // The form's own last step of leaving it; false keeps the user on the form.
  virtual bool DeactivateLocal() = 0;
  // Drops the edits the form has not saved.
  virtual void UndoChanges() = 0;
  // Checks every record the form holds before a TRF is sent off (usually through the library's
  // ValidateForSendoff); quietly, without messages, when `blnDisableMessages`.
  virtual bool ValidateForSendoff(bool blnDisableMessages = false) = 0;
  // Handles `objItem` as a click on that entry of the form's list; the library calls it after it
  // selected the entry of a record with broken rules.
  virtual Variant ListItemClick(const ObjectPtr& objItem) = 0;
  // Brings the read-only or editable state of the form's controls up to date, after a list was
  // built or an entry added or removed.
  virtual Variant ToggleReadWrite() = 0;
  // Reloads what the form shows from its data.
  virtual Variant Refresh() = 0;
  // Moves the focus to the control whose tag is `strTag` (made by CreateTag from the class and
  // field of a broken rule).
  virtual void SetFocusTo(const std::string& strTag) = 0;
  // Shows the form's data again, for the container's own use.
  virtual void UpdateForm() = 0;
  // Puts the focus on the form's first field, for the container's own use.
  virtual void SetInitialFocus() = 0;
  // True while a panel of the form must be closed before saving; its name goes to the argument.
  virtual bool PanelVisible(std::string& strVisiblePanel) = 0;
};

// A shared reference to a form.
using FormPtr = std::shared_ptr<I_FRM_Shared>;

// The published class of the form contract: every member does nothing and answers false, 0, the
// empty text, nothing or the empty variant.
class FormContract final : public I_FRM_Shared {
 public:
  std::string TypeName() const override { return "I_FRM_Shared"; }
  PicturePtr Icon() override { return nullptr; }
  bool FirstTime() override { return false; }
  std::string Title() override { return {}; }
  int32_t FormEnum() override { return 0; }
  int32_t FormHeight() override { return 0; }
  int32_t FormWidth() override { return 0; }
  void ValidateMyControls() override {}
  ObjectPtr FormControlsCollection() override { return nullptr; }
  bool Create(ActiveParams&) override { return false; }
  bool Activate(ActiveParams&) override { return false; }
  bool Deactivate() override { return false; }
  bool Save() override { return false; }
  void DirtyOnActivate() override {}
  bool EveryOnActivate(ActiveParams&) override { return false; }
  bool DeactivateLocal() override { return false; }
  void UndoChanges() override {}
  bool ValidateForSendoff(bool = false) override { return false; }
  Variant ListItemClick(const ObjectPtr&) override { return {}; }
  Variant ToggleReadWrite() override { return {}; }
  Variant Refresh() override { return {}; }
  void SetFocusTo(const std::string&) override {}
  void UpdateForm() override {}
  void SetInitialFocus() override {}
  bool PanelVisible(std::string&) override { return false; }
};

}  // namespace kw
