// FormsPersist: the forms-persist object of the default siblings, and PersistState, what every
// instance of one program shares: the reopen counter, the update folder and the notify flag.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ui_shared/contracts/container.h"

namespace kw {

// The state the forms-persist objects of one program share.
struct PersistState {
  int32_t trf_reopened = 0;     // how often a filed TRF was reopened
  std::string update_folder;    // where update files (*.oup) arrive; "" for the root folder
  bool notify_pending = false;  // the next feedback dialog is the first since something was to be notified
};

// A forms-persist object over the program's shared PersistState: each SharedProcedures creates
// one, and all of them read and write the same state.
class FormsPersist : public TrfFormsPersist {
 public:
  // An object over `state`, which it keeps alive.
  explicit FormsPersist(std::shared_ptr<PersistState> state) : state_(std::move(state)) {}
  // The type name the runtime reports: "TrfFormsPersist".
  std::string TypeName() const override { return "TrfFormsPersist"; }
  int32_t TrfReopened() override { return state_->trf_reopened; }
  void TrfReopened(int32_t count) override { state_->trf_reopened = count; }
  Variant UpdateFolder() override { return Variant::Text(state_->update_folder); }
  bool NotifyPending() override { return state_->notify_pending; }
  void NotifyPending(bool pending) override { state_->notify_pending = pending; }

 private:
  std::shared_ptr<PersistState> state_;
};

}  // namespace kw
