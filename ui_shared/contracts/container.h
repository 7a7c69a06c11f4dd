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
  // Written by a failed context check: the key of the screen that fixes the missing context.
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

// The value of a toolbar button that is pressed (a check button on, a group's chosen button).
inline constexpr int16_t kButtonPressed = 1;
// The value of a toolbar button that is not pressed.
inline constexpr int16_t kButtonReleased = 0;

// The application's one screen container: it holds the context every form works in (the current
// home, the month record, the TRF type and status), shows the active form's title and icon, keeps
// the command bar and hands navigation to the front end.
class TrfContainer : public virtual Object {
 public:
  // The application's main window, owner of the feedback dialog.
  virtual ObjectPtr MainWindow() = 0;
  // The record id of the current home; empty when none is selected.
  virtual std::string CurrentH_HomesID() = 0;
  virtual void CurrentH_HomesID(const std::string& id) = 0;
  // The key of the form that LoadForms opens.
  virtual void CurrentFormKey(const std::string& key) = 0;
  // The number by which people know the current home.
  virtual std::string CurrentHomeNum() = 0;
  virtual void CurrentHomeNum(const std::string& number) = 0;
  // The record id of the current month record (the month's TRF); empty when none.
  virtual std::string CurrentH_HomeMonthlyStatsID() = 0;
  virtual void CurrentH_HomeMonthlyStatsID(const std::string& id) = 0;
  // The date of the current month's TRF, as a date serial.
  virtual double CurrentTRFDate() = 0;
  virtual void CurrentTRFDate(double date) = 0;
  // The name of the current TRF type.
  virtual std::string CurrentTrfType() = 0;
  virtual void CurrentTrfType(const std::string& type) = 0;
  // The code of the current TRF type; a change of it is a change of context.
  virtual std::string CurrentHU_TrfTypesCD() = 0;
  virtual void CurrentHU_TrfTypesCD(const std::string& code) = 0;
  // The status of the current month's TRF; 1 (kStatStatusActive) for an active one.
  virtual uint8_t CurrentStatStatus() = 0;
  virtual void CurrentStatStatus(uint8_t status) = 0;
  // The kind of parent of a class (class number as text): 4 home, 5 month record.
  virtual int32_t ClassDependsOn(const Variant& class_number) = 0;
  // Takes the button `key` off the command bar; the result is the container's own.
  virtual Variant RemoveCommandButton(const std::string& key) = 0;
  // Makes the command-bar button `key` available or not, and gives a check or group button its
  // `value`; the result is the container's own.
  virtual Variant SetCommandButtonState(const std::string& key, bool enabled, int16_t value) = 0;
  // Puts a button on the command bar: a click on it calls the member named `key` of `target`.
  // `style` is a CommandButtonStyle; the result is the container's own.
  virtual Variant AddCommandButton(const PicturePtr& picture, const std::string& key, const ObjectPtr& target,
                                   int32_t style, const std::string& caption) = 0;
  // Shows the title of the active form.
  virtual void FormTitle(const std::string& title) = 0;
  // Shows the icon of the active form.
  virtual void FormIcon(const PicturePtr& icon) = 0;
  // True while a send-off validation run is in progress.
  virtual bool SendOffValidationMode() = 0;
  virtual void SendOffValidationMode(bool on) = 0;
  // True when the send-off run asks the user; false for a non-interactive run, in which the library
  // shows no messages.
  virtual bool SendOffInteractive() = 0;
  // Shows the form `form_key` (a variant holding its key text) with `params` for its activation;
  // the result is the container's own.
  virtual Variant NavigateToForm(const Variant& form_key, ActiveParams& params) = 0;
  // Loads the screens of TRF type `trf_type`; the result is the container's own.
  virtual Variant LoadTrfType(int16_t trf_type) = 0;
  // The setting each new feedback dialog receives.
  virtual std::string FeedbackSetting() = 0;
  // Whether the screens ended normally, as the container keeps it; the library only forwards it.
  virtual bool NormalScreenTermination() = 0;
  // Opens the form `form_key`.
  virtual void OpenForm(const std::string& form_key) = 0;
};

// A shared reference to the screen container.
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
  // The reopen counter: how often a filed TRF was reopened; a change marks every form's data out of
  // date.
  virtual int32_t TrfReopened() = 0;
  virtual void TrfReopened(int32_t count) = 0;
  // The folder in which update files (*.oup) arrive.
  virtual Variant UpdateFolder() = 0;
  // True when the next feedback dialog is the first since something was to be notified; the dialog
  // clears it.
  virtual bool NotifyPending() = 0;
  virtual void NotifyPending(bool pending) = 0;
};

// A shared reference to the forms-persist object.
using PersistPtr = std::shared_ptr<TrfFormsPersist>;

}  // namespace kw
