// The default siblings: one call puts the library's classes and every sibling a SharedProcedures
// needs in place, all of them on the objects the program keeps.
#include "ui_shared/defaults/default_siblings.h"

#include <gtest/gtest.h>

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/forms/form_contract.h"
#include "ui_shared/platform/screen.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {
namespace {

// A SharedProcedures made after RegisterDefaultSiblings works in the program's container, keeps its
// reopen counter in the program's persist state, shows its dialogs on the program's desk (asking at
// the terminal, declined here with nothing to read) and logs to the program's journal.
TEST(DefaultSiblingsTest, OneCallGivesASharedProceduresEverySibling) {
  ScopedService<ClassRegistry> registry{std::make_shared<ClassRegistry>()};
  ScopedService<Screen> screen{std::make_shared<Screen>()};
  const DefaultSiblings siblings = RegisterDefaultSiblings();
  ASSERT_TRUE(siblings.desk->presenter) << "the desk does not ask at the terminal";
  siblings.desk->presenter = nullptr;  // a test reads no terminal
  auto shared = CreateObjectAs<SharedProcedures>(class_ids::kSharedProcedures);
  shared->OwnerForm(std::make_shared<FormContract>());
  shared->CurrentH_HomesID("7");
  EXPECT_EQ(siblings.container->CurrentH_HomesID(), "7");
  shared->TrfReopened(3);
  EXPECT_EQ(siblings.persist->trf_reopened, 3);
  EXPECT_EQ(shared->ShowFeedbackForm("Sure?", "", kRuleQuestion, 2185), 1);
  ASSERT_EQ(siblings.desk->shown.size(), 1u);
  CreateObjectAs<ErrorLog>(class_ids::kErrorLog)->Add(Error(5, "x", "trapped"));
  ASSERT_EQ(siblings.journal->errors.size(), 1u);
  shared->OwnerForm(nullptr);
}

}  // namespace
}  // namespace kw
