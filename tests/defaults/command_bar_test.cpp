// The default container's command bar: clicks by the toolbar rules and the call of the target's member named by
// the key.
#include <functional>
#include <utility>

#include "tests/doubles/raised.h"
#include "ui_shared/defaults/screen_container.h"

namespace kw {
namespace {

// A click target that writes down each member called with its value.
struct ClickTarget : Object {
  std::string TypeName() const override { return "ClickTarget"; }
  Variant Call(std::string_view member, const Args& args) override {
    calls.push_back(std::string(member) + "(" + args.Required(0, "Value").ToText() + ")");
    return Variant();
  }
  std::vector<std::string> calls;
};

// A bar of: check, separator, three group buttons, a plain one, two more group buttons.
struct BarWorld {
  BarWorld() {
    const std::pair<const char*, CommandButtonStyle> buttons[] = {
        {"Check", kButtonCheck}, {"Sep", kButtonSeparator}, {"G1", kButtonGroup}, {"G2", kButtonGroup},
        {"G3", kButtonGroup},    {"Plain", kButtonPlain},   {"H1", kButtonGroup}, {"H2", kButtonGroup}};
    for (auto [key, style] : buttons) container->AddCommandButton(nullptr, key, target, style, key);
  }
  std::string Values() const {
    std::string values;
    for (const auto& button : container->Bar().Buttons()) values += std::to_string(button.value);
    return values;
  }
  std::shared_ptr<ScreenContainer> container = std::make_shared<ScreenContainer>();
  std::shared_ptr<ClickTarget> target = std::make_shared<ClickTarget>();
};

// A group button releases only the others of its own run; a plain button stays released.
TEST(CommandBar, ClicksFollowTheToolbarRules) {
  BarWorld w;
  const std::pair<const char*, const char*> steps[] = {
      {"Check", "10000000"}, {"G2", "10010000"},    {"H1", "10010010"},    {"G3", "10001010"},
      {"G3", "10001010"},    {"Check", "00001010"}, {"Plain", "00001010"}, {"H2", "00001001"},
  };
  for (auto [key, values] : steps) {
    EXPECT_TRUE(w.container->ClickCommandButton(key)) << key;
    EXPECT_EQ(w.Values(), values) << "after " << key;
  }
  EXPECT_EQ(w.target->calls, (std::vector<std::string>{"Check(1)", "G2(1)", "H1(1)", "G3(1)", "G3(1)", "Check(0)",
                                                       "Plain(0)", "H2(1)"}));
}

// The bar does not keep a target alive; a click on a button whose target has gone fails with 91.
TEST(CommandBar, StateCallsAndButtonsThatCannotBeClicked) {
  BarWorld w;
  w.container->ClickCommandButton("G1");
  w.container->SetCommandButtonState("G3", true, 1);
  EXPECT_EQ(w.Values(), "00001000");
  EXPECT_FALSE(w.container->SetCommandButtonState("Sep", true, 1).ToBoolean());
  EXPECT_EQ(w.container->Bar().Find("Sep")->value, 0);
  w.container->SetCommandButtonState("Check", false, 0);
  for (const char* key : {"Check", "Sep", "Missing"}) EXPECT_FALSE(w.container->ClickCommandButton(key)) << key;
  EXPECT_EQ(w.target->calls, std::vector<std::string>{"G1(1)"});
  std::weak_ptr<ClickTarget> watch = w.target;
  w.target.reset();
  EXPECT_TRUE(watch.expired());
  EXPECT_EQ(testing::RaisedNumber([&] { w.container->ClickCommandButton("Plain"); }), err::kObjectNotSet);
}

// A click target that, once, does something to the bar in the middle of its click, and writes down
// the value it was given before and after.
struct BusyTarget : Object {
  std::string TypeName() const override { return "BusyTarget"; }
  Variant Call(std::string_view member, const Args& args) override {
    const std::string before = args.Required(0, "Value").ToText();
    if (during) std::exchange(during, nullptr)();
    calls.push_back(std::string(member) + "(" + before + "->" + args.Required(0, "Value").ToText() + ")");
    return Variant();
  }
  std::function<void()> during;
  std::vector<std::string> calls;
};

// A target that clicks its own button again, or takes it off the bar, in the middle of a click:
// each click keeps the value it was given until it returns.
TEST(CommandBar, AClickKeepsItsValueWhileTheTargetChangesTheBar) {
  const auto container = std::make_shared<ScreenContainer>();
  const auto target = std::make_shared<BusyTarget>();
  container->AddCommandButton(nullptr, "Check", target, kButtonCheck, "Check");
  target->during = [&] { container->ClickCommandButton("Check"); };
  EXPECT_TRUE(container->ClickCommandButton("Check"));
  target->during = [&] { container->RemoveCommandButton("Check"); };
  EXPECT_TRUE(container->ClickCommandButton("Check"));
  EXPECT_FALSE(container->ClickCommandButton("Check"));
  EXPECT_EQ(target->calls, (std::vector<std::string>{"Check(0->0)", "Check(1->1)", "Check(1->1)"}));
}

}  // namespace
}  // namespace kw
