// The reference siblings and AppServices, the wiring that owns them.
#include "app/siblings/app_services.h"

#include "app/siblings/database_resource.h"
#include "tests/app/app_world.h"
#include "tests/doubles/raised.h"
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/contracts/sibling_codes.h"

namespace trf::testing {
namespace {

kw::SharedProceduresPtr MakeShared() {
  return kw::CreateObjectAs<kw::SharedProcedures>(kw::class_ids::kSharedProcedures);
}

// Two AppServices in sequence share nothing, down to the database their validators read.
TEST(AppServicesTest, EachIsAnApplicationOfItsOwnAndRestoresTheRegistry) {
  const kw::ClassRegistry* before = &kw::Service<kw::ClassRegistry>::Get();
  const auto residents_fit = [](const char* month) {
    return kw::CreateObjectAs<kw::I_RecordGroup>("KW01.RGResidents")->Validate(month).ToBoolean();
  };
  {
    AppServices first(":memory:");
    EXPECT_EQ(&kw::Service<kw::ClassRegistry>::Get(), &first.registry());
    MakeShared()->CurrentH_HomesID("3");
    first.desk().answers = {"0"};
    first.database()->Exec("UPDATE tbH_Homes SET H_Capacity = 1 WHERE H_HomesID = 2");
    EXPECT_FALSE(residents_fit("4"));
  }
  EXPECT_EQ(&kw::Service<kw::ClassRegistry>::Get(), before);
  AppServices second(":memory:");
  EXPECT_EQ(MakeShared()->CurrentH_HomesID(), "");
  EXPECT_TRUE(second.desk().answers.empty());
  EXPECT_TRUE(residents_fit("4"));
  auto resource = std::dynamic_pointer_cast<DatabaseResource>(MakeShared()->DBResource());
  ASSERT_NE(resource, nullptr);
  EXPECT_EQ(resource->Location(), ":memory:");
  EXPECT_EQ(resource->Connection(), second.database());
  const kw::Error e = kw::testing::Raised([&] { resource->Connection()->Exec("SELEKT 1"); });
  EXPECT_EQ(e.Number(), kDatabaseError);
  EXPECT_NE(e.Said().find("syntax error"), std::string::npos) << e.Said();
}

// The container answers the parent kind recorded for a class (asked by its number as text), and no parent for a
// class nothing was recorded for.
TEST(ScreenContainerTest, AClassWithoutARegisteredParentHasNone) {
  ScreenContainer container;
  container.SetClassDependsOn(3, kw::kParentIsMonthRecord);
  EXPECT_EQ(container.ClassDependsOn(Text("3")), kw::kParentIsMonthRecord);
  EXPECT_EQ(container.ClassDependsOn(Text("7")), kw::kParentNone);
}

}  // namespace
}  // namespace trf::testing
