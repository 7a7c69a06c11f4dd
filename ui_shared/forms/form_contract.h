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
  virtual PicturePtr Icon() = 0;
  virtual bool FirstTime() = 0;
  virtual std::string Title() = 0;
  virtual int32_t FormEnum() = 0;
  virtual int32_t FormHeight() = 0;
  virtual int32_t FormWidth() = 0;
  virtual void ValidateMyControls() = 0;
  virtual ObjectPtr FormControlsCollection() = 0;
  virtual bool Create(ActiveParams& apActiveParams) = 0;
  virtual bool Activate(ActiveParams& apActiveParams) = 0;
  virtual bool Deactivate() = 0;
  virtual bool Save() = 0;
  virtual void DirtyOnActivate() = 0;
  virtual bool EveryOnActivate(ActiveParams& apActiveParams) = 0;
  virtual bool DeactivateLocal() = 0;
  virtual void UndoChanges() = 0;
  virtual bool ValidateForSendoff(bool blnDisableMessages = false) = 0;
  virtual Variant ListItemClick(const ObjectPtr& objItem) = 0;
  virtual Variant ToggleReadWrite() = 0;
  virtual Variant Refresh() = 0;
  virtual void SetFocusTo(const std::string& strTag) = 0;
  virtual void UpdateForm() = 0;
  virtual void SetInitialFocus() = 0;
  // True while a panel of the form must be closed before saving; its name goes to the argument.
  virtual bool PanelVisible(std::string& strVisiblePanel) = 0;
};

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
