// Uses the installed library: its variants, its class registry and a widget reached by member
// name; exits non-zero when any answer is wrong.
#include <cstdio>

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/platform/variant.h"
#include "ui_shared/registration.h"
#include "widgets/combo_box.h"

namespace {
int failures = 0;

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "consumer: %s\n", what);
    ++failures;
  }
}
}  // namespace

int main() {
  Check(kw::Variant::Text("12.5").ToDouble() == 12.5, "a text variant converts to its number");

  kw::RegisterLibraryClasses();
  Check(kw::Service<kw::ClassRegistry>::Get().IsRegistered(kw::class_ids::kSharedProcedures),
        "the library registers SharedProcedures");

  const auto combo = kw::widgets::ComboBox::Make({"alpha", "beta"});
  combo->Call("AddItem", {kw::Variant::Text("gamma")});
  Check(combo->Get("ListCount").ToLong() == 3, "AddItem reached by name adds an item");

  if (failures == 0) std::puts("consumer: the installed package works");
  return failures == 0 ? 0 : 1;
}
