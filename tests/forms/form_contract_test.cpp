// The published form contract class: creatable by identifier, every member empty.
#include "ui_shared/forms/form_contract.h"

#include <gtest/gtest.h>

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/registration.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {
namespace {

// Every member answers false, 0, "", nothing or Empty, and the panel name stays as given.
TEST(FormContractClass, MembersDoNothingAndAnswerEmptyValues) {
  ScopedService<ClassRegistry> registry(std::make_shared<ClassRegistry>());
  RegisterLibraryClasses();
  auto form = CreateObjectAs<I_FRM_Shared>(class_ids::kFormContract);
  ActiveParams params;
  params.GotoFormKey = "keep";
  std::string panel = "Panel";
  EXPECT_EQ(form->Icon(), nullptr);
  EXPECT_EQ(form->FormControlsCollection(), nullptr);
  EXPECT_EQ(form->Title(), "");
  EXPECT_EQ(form->FormEnum() + form->FormHeight() + form->FormWidth(), 0);
  for (bool answer : {form->FirstTime(), form->Create(params), form->Activate(params), form->Deactivate(), form->Save(),
                      form->EveryOnActivate(params), form->DeactivateLocal(), form->ValidateForSendoff(),
                      form->PanelVisible(panel)})
    EXPECT_FALSE(answer);
  for (const Variant& answer : {form->ListItemClick(nullptr), form->ToggleReadWrite(), form->Refresh()})
    EXPECT_TRUE(answer.IsEmpty());
  EXPECT_EQ(panel, "Panel");
  EXPECT_EQ(params.GotoFormKey, "keep");
  EXPECT_EQ(form->TypeName(), "I_FRM_Shared");
}

// SharedProcedures is creatable by its identifier once its siblings can be created.
TEST(FormContractClass, SharedProceduresIsRegisteredByIdentifier) {
  ScopedService<ClassRegistry> registry(std::make_shared<ClassRegistry>());
  RegisterLibraryClasses();
  EXPECT_TRUE(registry->IsRegistered(class_ids::kSharedProcedures));
  EXPECT_THROW((void)CreateObject(class_ids::kSharedProcedures), Error);
}

}  // namespace
}  // namespace kw
