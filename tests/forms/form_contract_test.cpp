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
  EXPECT_FALSE(form->FirstTime());
  EXPECT_EQ(form->Title(), "");
  EXPECT_EQ(form->FormEnum() + form->FormHeight() + form->FormWidth(), 0);
  EXPECT_EQ(form->FormControlsCollection(), nullptr);
  EXPECT_FALSE(form->Create(params));
  EXPECT_FALSE(form->Activate(params));
  EXPECT_FALSE(form->Deactivate());
  EXPECT_FALSE(form->Save());
  EXPECT_FALSE(form->EveryOnActivate(params));
  EXPECT_FALSE(form->DeactivateLocal());
  EXPECT_FALSE(form->ValidateForSendoff());
  EXPECT_TRUE(form->ListItemClick(nullptr).IsEmpty());
  EXPECT_TRUE(form->ToggleReadWrite().IsEmpty());
  EXPECT_TRUE(form->Refresh().IsEmpty());
  EXPECT_FALSE(form->PanelVisible(panel));
  EXPECT_EQ(panel, "Panel");
  EXPECT_EQ(params.GotoFormKey, "keep");
  EXPECT_EQ(form->TypeName(), "I_FRM_Shared");
}

// SharedProcedures is creatable by its identifier once its siblings can be created.
TEST(FormContractClass, SharedProceduresIsRegisteredByIdentifier) {
  ScopedService<ClassRegistry> registry(std::make_shared<ClassRegistry>());
  RegisterLibraryClasses();
  EXPECT_TRUE(registry->IsRegistered(class_ids::kSharedProcedures));
  try {
    (void)CreateObject(class_ids::kSharedProcedures);
    FAIL() << "created without siblings";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), err::kCannotCreate);
  }
}

}  // namespace
}  // namespace kw
