// Form navigation: GotoForm and LoadForms.
#include "tests/doubles/library_test.h"

namespace kw {
namespace {

TEST(GotoForm, AsksTheLocatorEachTime) {
  LibraryHarness h;
  ActiveParams params;
  params.GotoFormKey = "before";
  h.shared->GotoForm("KW_UI01____FRM_H_OurHome", params);
  h.shared->GotoForm("KW_UI01____FRM_H_TRFSetup", params);
  EXPECT_EQ(h.log->Joined(),
            "Locator.Get Container(); Container.NavigateToForm(\"KW_UI01____FRM_H_OurHome\", \"before\"); "
            "Locator.Get Container(); Container.NavigateToForm(\"KW_UI01____FRM_H_TRFSetup\", \"before\")");
  h.container->FailOn("NavigateToForm", Error(5, "Container", "no such form"));

  EXPECT_EQ(Described(Raised([&] { h.shared->GotoForm("x", params); })),
            "5 Container: KW_UIShared.SharedProcedures.GotoForm:20\r\nno such form");
}

TEST(LoadForms, ReadsTheTrfTypeLenientlyAndCallsTheContainerInOrderOrFailsBeforeIt) {
  std::vector<std::pair<Variant, int32_t>> rows = {{Variant(), 0}, {Variant::Double(7.5), 8}};
  for (const auto& [text, number] : kLenientNumbers) rows.emplace_back(Variant::Text(text), number);
  for (const auto& [type, loaded] : rows) {
    LibraryHarness h;
    h.shared->LoadForms("KW_UI01____FRM_H_Staff", type);
    EXPECT_EQ(h.log->Joined(), "Container.LoadTrfType(" + std::to_string(loaded) +
                                   "); Container.OpenForm(\"KW_UI01____FRM_H_Staff\"); "
                                   "Container.Let CurrentFormKey(\"KW_UI01____FRM_H_Staff\")")
        << testing::Show(type);
    EXPECT_EQ(h.screen->MousePointer(), kPointerDefault);
  }
  const std::pair<Variant, int32_t> bad[] = {
      {Variant::Null(), err::kInvalidNull},
      {Variant::Text("32768"), err::kOverflow},
      {Variant::Long(-40000), err::kOverflow},
  };
  for (const auto& [type, number] : bad) {
    LibraryHarness h;
    EXPECT_TRUE(RaisedAt(Raised([&, &type = type] { h.shared->LoadForms("KW_UI01____FRM_H_Staff", type); }), number,
                         "LoadForms", 20));
    EXPECT_TRUE(h.log->Entries().empty());
    EXPECT_EQ(h.screen->MousePointer(), kPointerHourglass);
  }
}

}  // namespace
}  // namespace kw
