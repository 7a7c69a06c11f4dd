// Uses the installed library: its variants, its class registry and a widget reached by member
// name; exits non-zero when any answer is wrong.
#include <cstdio>

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/platform/variant.h"
#include "ui_shared/registration.h"
#include "widgets/combo_box.h"

int main() {
  kw::RegisterLibraryClasses();
  const auto combo = kw::widgets::ComboBox::Make({"alpha", "beta"});
  combo->Call("AddItem", {kw::Variant::Text("gamma")});
  const bool works = kw::Variant::Text("12.5").ToDouble() == 12.5 &&
                     kw::Service<kw::ClassRegistry>::Get().IsRegistered(kw::class_ids::kSharedProcedures) &&
                     combo->Get("ListCount").ToLong() == 3;
  std::puts(works ? "consumer: the installed package works" : "consumer: the installed package answered wrongly");
  return works ? 0 : 1;
}
