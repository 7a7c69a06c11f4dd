// The forms-persist object the library creates by name, and the state every instance shares: the
// reopen counter, the update folder and the notify flag.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ui_shared/contracts/container.h"

namespace trf {

// The state the forms-persist objects of one application share.
struct PersistState {
  int32_t trf_reopened = 0;
  std::string update_folder;
  bool notify_pending = false;
};

class FormsPersist : public kw::TrfFormsPersist {
 public:
  explicit FormsPersist(std::shared_ptr<PersistState> state) : state_(std::move(state)) {}
  std::string TypeName() const override { return "TrfFormsPersist"; }
  int32_t TrfReopened() override { return state_->trf_reopened; }
  void TrfReopened(int32_t count) override { state_->trf_reopened = count; }
  kw::Variant UpdateFolder() override { return kw::Variant::Text(state_->update_folder); }
  bool NotifyPending() override { return state_->notify_pending; }
  void NotifyPending(bool pending) override { state_->notify_pending = pending; }

 private:
  std::shared_ptr<PersistState> state_;
};

}  // namespace trf
