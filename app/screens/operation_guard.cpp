// Operations run as scopes: the busy flag, the refusal and the recovery after it.
#include "app/screens/operation_guard.h"

namespace trf {

void RunRefusable(const std::function<void()>& operation, const std::function<void()>& recover) {
  try {
    operation();
  } catch (...) {
    const ScreenRefusal refusal = CurrentRefusal();
    if (recover) recover();
    throw refusal;
  }
}

std::optional<ScreenRefusal> OperationGuard::Run(const std::function<void()>& operation,
                                                 const std::function<void()>& recover) const {
  if (!took_) return std::nullopt;
  try {
    RunRefusable(operation, recover);
  } catch (const ScreenRefusal& refusal) {
    return refusal;
  }
  return std::nullopt;
}

}  // namespace trf
