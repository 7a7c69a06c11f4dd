// Turning an error that reached a screen into the refusal a person reads.
#include "app/screens/screen_refusal.h"

#include "app/data/database.h"
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/contracts/data.h"
#include "ui_shared/platform/class_registry.h"

namespace trf {

void Journal(const kw::Error& error) { kw::CreateObjectAs<kw::ErrorLog>(kw::class_ids::kErrorLog)->Add(error); }

ScreenRefusal CurrentRefusal() {
  try {
    throw;
  } catch (const ScreenRefusal& refusal) {
    return refusal;
  } catch (...) {
    const kw::Error error = kw::CurrentError();
    Journal(error);
    return ScreenRefusal(SentenceOf(error), error.Number());
  }
}

}  // namespace trf
