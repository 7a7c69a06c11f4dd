// The screen framework: navigation, the screens' buttons, the send-off run, the busy pointer, releasing screens.
#include "app/screens/home_screen.h"
#include "tests/app/app_world.h"
#include "ui_shared/platform/screen.h"

namespace trf {
namespace {

// A screen that records its lifecycle in a shared log and can refuse to be left or to pass send-off.
class TestScreen : public ScreenForm {
 public:
  TestScreen(const std::string& key, const std::string& name, kw::enumHomeMonth depends_on,
             std::vector<std::string>& log)
      : ScreenForm(key, name, "Test " + name, depends_on), log_(log) {}
  bool DeactivateLocal() override {
    log_.push_back(Name() + " leaves");
    return !refuse_leaving;
  }
  bool ValidateForSendoff(bool blnDisableMessages) override {
    const bool container_agrees = Container().SendOffInteractive() == !blnDisableMessages;
    log_.push_back(Name() + (blnDisableMessages ? " checked quietly" : " checked aloud") +
                   (container_agrees ? "" : " but not by the container"));
    return !fails_sendoff || (answers_aloud && !blnDisableMessages);
  }
  bool refuse_leaving = false;
  bool fails_sendoff = false;
  // A failing check passes when run aloud: the user settled what it asks.
  bool answers_aloud = false;

 protected:
  void OnLoad() override {
    AddButton("Ping" + Name(), "Ping", [this](int16_t) { log_.push_back(Name() + " pinged"); });
  }
  void Reload() override { log_.push_back(Name() + " reloads"); }

 private:
  std::vector<std::string>& log_;
};

// The application with two test screens on its host: a home screen and one that needs a home.
struct HostWorld : testing::AppWorld {
  std::vector<std::string> log;
  std::shared_ptr<TestScreen> home =
      std::make_shared<TestScreen>(std::string(kw::kHomeFormKey), "home", kw::icIsHome, log);
  std::shared_ptr<TestScreen> work =
      std::make_shared<TestScreen>("KW_UI01____FRM_H_Work", "work", kw::icDependsOnHome, log);

  HostWorld() : AppWorld(Screens::kNone) {
    host.Add(home);
    host.Add(work);
  }
  // The current screen, form key and buttons, then the lifecycle and events since the last look (cleared).
  std::string Look() {
    std::string out = (host.Current() ? host.Current()->Name() : "none") + " " + Container().CurrentFormKey() + " [";
    for (const auto& button : Container().Bar().Buttons()) out += button.key;
    out += "]";
    for (const auto& line : log) out += " | " + line;
    for (const auto& line : events.lines) out += " > " + line;
    log.clear();
    events.lines.clear();
    return out;
  }
};

// Showing a screen activates it (its title, its buttons on the bar); showing it again reloads nothing.
TEST(ScreenHostTest, ShowingAScreenActivatesItOnce) {
  HostWorld w;
  EXPECT_TRUE(w.host.Go("home"));
  EXPECT_EQ(w.Look(), "home KW_UI01____FRM_H_OurHome [Pinghome] | home reloads");
  EXPECT_EQ(w.Container().FormTitle(), "Test home");
  EXPECT_TRUE(w.host.Go("home"));
  EXPECT_EQ(w.Look(), "home KW_UI01____FRM_H_OurHome [Pinghome]");
  EXPECT_EQ(w.Container().NavigationHistory().size(), 1u);
}

// A screen that refuses to be left keeps the person there; once it lets go, the next screen's buttons
// take the bar's place of its own, whether it is named by short name or form key.
TEST(ScreenHostTest, LeavingIsRefusedOrSwapsTheButtons) {
  HostWorld w;
  ASSERT_TRUE(w.host.Go("home"));
  w.UseMapleHouseMarch();
  w.Look();
  w.home->refuse_leaving = true;
  EXPECT_FALSE(w.host.Go("work"));
  EXPECT_EQ(w.Look(), "home KW_UI01____FRM_H_OurHome [Pinghome] | home leaves > stayed on home");
  w.home->refuse_leaving = false;
  EXPECT_TRUE(w.host.Go("KW_UI01____FRM_H_Work"));
  EXPECT_EQ(w.Look(), "work KW_UI01____FRM_H_Work [Pingwork] | home leaves | work reloads");
  EXPECT_TRUE(w.Container().ClickCommandButton("Pingwork"));
  EXPECT_EQ(w.Look(), "work KW_UI01____FRM_H_Work [Pingwork] | work pinged");
}

// The hourglass is told once when work starts and once when it ends, however often it is set.
TEST(ScreenHostTest, TheHourglassIsToldOnceEachWay) {
  HostWorld w;
  ASSERT_TRUE(w.host.Go("home"));
  w.Look();
  for (const int16_t shape : {kw::kPointerHourglass, kw::kPointerHourglass, kw::kPointerDefault})
    kw::Service<kw::Screen>::Get().MousePointer(shape);
  EXPECT_EQ(w.Look(), "home KW_UI01____FRM_H_OurHome [Pinghome] > busy > not busy");
}

// Send-off checks every screen quietly; one that fails is shown and checked aloud, and the run stops
// there while it still fails, or goes on once it passes; the send-off flags are off after either.
TEST(ScreenHostTest, SendOffStopsWhereAScreenStillFails) {
  HostWorld w;
  ASSERT_TRUE(w.host.Go("home"));
  w.UseMapleHouseMarch();
  ASSERT_TRUE(w.host.Go("work"));
  w.Look();
  w.home->fails_sendoff = w.work->fails_sendoff = true;
  EXPECT_FALSE(w.host.SendOff());
  EXPECT_EQ(w.Look(),
            "home KW_UI01____FRM_H_OurHome [Pinghome] | home checked quietly | work leaves | home checked aloud"
            " > send-off stopped on home > send-off refused");
  EXPECT_FALSE(w.Container().SendOffValidationMode());
  EXPECT_FALSE(w.Container().SendOffInteractive());
  w.home->answers_aloud = w.work->answers_aloud = true;
  EXPECT_TRUE(w.host.SendOff());
  EXPECT_EQ(w.Look(),
            "work KW_UI01____FRM_H_Work [Pingwork] | home checked quietly | home checked aloud"
            " | work checked quietly | home leaves | work checked aloud > send-off stopped on home"
            " > send-off stopped on work > send-off passed");
}

TEST(ScreenHostTest, ScreensAreReleasedWithTheHost) {
  std::weak_ptr<TestScreen> screen;
  std::weak_ptr<kw::SharedProcedures> shared;
  {
    HostWorld w;
    ASSERT_TRUE(w.host.Go("home"));
    screen = w.home;
    shared = w.home->Shared();
    w.home.reset();
    w.work.reset();
  }
  EXPECT_TRUE(screen.expired());
  EXPECT_TRUE(shared.expired());
}

}  // namespace
}  // namespace trf
