// OperationGuard: one operation a person started on the screens, as a scope, written once for the
// screen host and the front ends. While a guard lives, the flag it took says that an operation
// runs, so that a second one started meanwhile (a dialog of the first moves the focus, which a
// toolkit reports as the end of an edit) is not run; the flag is free again however the operation
// ends. Whatever refuses the operation comes out as the ScreenRefusal a person reads, after the
// screens were brought back in step.
#pragma once

#include <functional>
#include <optional>

#include "app/screens/screen_refusal.h"

namespace trf {

// Runs `operation`; whatever leaves it (a ScreenRefusal as it is, any other error or exception
// recorded in the error journal and read as its sentence) leaves as a ScreenRefusal, after
// `recover` (when given) brought what the screens show back in step.
void RunRefusable(const std::function<void()>& operation, const std::function<void()>& recover = {});

class OperationGuard {
 public:
  // Takes `running` when no operation holds it; a guard that found it taken runs nothing.
  explicit OperationGuard(bool& running) : running_(running), took_(!running) { running = true; }
  // Frees the flag it took, however the operation ended.
  ~OperationGuard() {
    if (took_) running_ = false;
  }
  OperationGuard(const OperationGuard&) = delete;
  OperationGuard& operator=(const OperationGuard&) = delete;

  // Whether the guard took its flag: no other operation was running.
  bool Took() const { return took_; }
  // Runs `operation` through RunRefusable when the guard took its flag: the refusal it ended
  // with; nothing when it went through or was not run (Took tells which).
  [[nodiscard]] std::optional<ScreenRefusal> Run(const std::function<void()>& operation,
                                                 const std::function<void()>& recover = {}) const;

 private:
  bool& running_;
  bool took_;
};

}  // namespace trf
