// Uses the installed library (variants, class registry, a widget by name); exits non-zero on a wrong answer.
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
