// The screen container as the library sees it (`TrfContainer`), the activation record
// `ActiveParams`, the `ContainerLocator` that hands out the application's one container, and the
// forms-persist object `TrfFormsPersist` that keeps the reopen counter.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ui_shared/platform/object.h"
#include "ui_shared/platform/picture.h"

namespace kw {

// The container's activation record; the failed context checks write `GotoFormKey`.
struct ActiveParams {
  std::string GotoFormKey;
  std::string FormKey;  // the form being activated, for the container's own use
};

// Toolbar button styles of the command bar.
enum CommandButtonStyle : int32_t {
  kButtonPlain = 0,
  kButtonCheck = 1,
  kButtonGroup = 2,
  kButtonSeparator = 3,
};

class TrfContainer : public virtual Object {
 public:
  virtual ObjectPtr MainWindow() = 0;
  virtual std::string CurrentH_HomesID() = 0;
  virtual void CurrentH_HomesID(const std::string& id) = 0;
  virtual void CurrentFormKey(const std::string& key) = 0;
  virtual std::string CurrentHomeNum() = 0;
  virtual void CurrentHomeNum(const std::string& number) = 0;
  virtual std::string CurrentH_HomeMonthlyStatsID() = 0;
  virtual void CurrentH_HomeMonthlyStatsID(const std::string& id) = 0;
  virtual double CurrentTRFDate() = 0;
  virtual void CurrentTRFDate(double date) = 0;
  virtual std::string CurrentTrfType() = 0;
  virtual void CurrentTrfType(const std::string& type) = 0;
  virtual std::string CurrentHU_TrfTypesCD() = 0;
  virtual void CurrentHU_TrfTypesCD(const std::string& code) = 0;
  virtual uint8_t CurrentStatStatus() = 0;
  virtual void CurrentStatStatus(uint8_t status) = 0;
  // The kind of parent of a class (class number as text): 4 home, 5 month record.
  virtual int32_t ClassDependsOn(const Variant& class_number) = 0;
  virtual Variant RemoveCommandButton(const std::string& key) = 0;
  virtual Variant SetCommandButtonState(const std::string& key, bool enabled, int16_t value) = 0;
  virtual Variant AddCommandButton(const PicturePtr& picture, const std::string& key, const ObjectPtr& target,
                                   int32_t style, const std::string& caption) = 0;
  virtual void FormTitle(const std::string& title) = 0;
  virtual void FormIcon(const PicturePtr& icon) = 0;
  virtual bool SendOffValidationMode() = 0;
  virtual void SendOffValidationMode(bool on) = 0;
  virtual bool SendOffInteractive() = 0;
  virtual Variant NavigateToForm(const Variant& form_key, ActiveParams& params) = 0;
  virtual Variant LoadTrfType(int16_t trf_type) = 0;
  virtual std::string FeedbackSetting() = 0;
  virtual bool NormalScreenTermination() = 0;
  virtual void OpenForm(const std::string& form_key) = 0;
};

using ContainerPtr = std::shared_ptr<TrfContainer>;

// Hands out the application's screen container.
class ContainerLocator : public virtual Object {
 public:
  // An object expected to support `TrfContainer`.
  virtual ObjectPtr Container() = 0;
};

// The forms-persist object: state that outlives a form.
class TrfFormsPersist : public virtual Object {
 public:
  virtual int32_t TrfReopened() = 0;
  virtual void TrfReopened(int32_t count) = 0;
  virtual Variant UpdateFolder() = 0;
  virtual bool NotifyPending() = 0;
  virtual void NotifyPending(bool pending) = 0;
};

using PersistPtr = std::shared_ptr<TrfFormsPersist>;

}  // namespace kw
