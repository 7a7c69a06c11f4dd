// The screen framework: navigation through the container with deactivation, refusals and
// redirects, the screens' command-bar buttons, the default answers of the command hooks, the
// send-off run and the unbinding that lets screens go.
#include <gtest/gtest.h>

#include <sstream>

#include "app/siblings/error_log.h"
#include "app/siblings/feedback_dialog.h"
#include "app/screens/home_screen.h"
#include "app/screens/screen_host.h"
#include "app/siblings/siblings.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/screen.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/registration.h"

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
    log_.push_back(Name() + (blnDisableMessages ? " checked quietly" : " checked aloud"));
    return !fails_sendoff || (answers_aloud && !blnDisableMessages);
  }
  bool refuse_leaving = false;
  bool fails_sendoff = false;
  // A failing check passes when run aloud: the user settled what it asks.
  bool answers_aloud = false;
  int pings = 0;
  int reloads = 0;

 protected:
  void OnLoad() override { AddButton("Ping" + Name(), "Ping", [this](int16_t) { ++pings; }); }
  void Reload() override { ++reloads; }

 private:
  std::vector<std::string>& log_;
};

// The application's services for one test, the host and two screens: a home screen and one that
// needs a home.
struct HostWorld {
  kw::ScopedService<kw::ClassRegistry> registry{std::make_shared<kw::ClassRegistry>()};
  kw::ScopedService<kw::Screen> screen{std::make_shared<kw::Screen>()};
  std::shared_ptr<ScreenContainer> container = std::make_shared<ScreenContainer>();
  kw::ScopedService<ScreenContainer> container_in_force{container};
  kw::ScopedService<PersistState> persist{std::make_shared<PersistState>()};
  kw::ScopedService<FeedbackDesk> desk{std::make_shared<FeedbackDesk>()};
  kw::ScopedService<ErrorJournal> journal{std::make_shared<ErrorJournal>()};
  std::ostringstream out;
  Transcript transcript{out};
  std::vector<std::string> log;
  std::unique_ptr<ScreenHost> host;
  std::shared_ptr<TestScreen> home, work;

  HostWorld() {
    kw::RegisterLibraryClasses();
    RegisterApplicationClasses();
    host = std::make_unique<ScreenHost>(container, transcript);
    home = std::make_shared<TestScreen>(kHomeScreenKey, "home", kw::icIsHome, log);
    work = std::make_shared<TestScreen>("KW_UI01____FRM_H_Work", "work", kw::icDependsOnHome, log);
    host->Add(home);
    host->Add(work);
  }
  // A home and a month with an active TRF, as TRF Setup leaves them.
  void SelectActiveMonth() {
    container->CurrentH_HomesID("1");
    container->CurrentH_HomeMonthlyStatsID("3");
    container->CurrentStatStatus(1);
  }
};

// Going to a screen activates it (loading its data the first time) and puts its buttons on the
// bar; going on deactivates it and swaps the buttons.
TEST(ScreenHostTest, NavigationActivatesAndSwapsTheButtons) {
  HostWorld w;
  EXPECT_TRUE(w.host->Go("home"));
  EXPECT_EQ(w.host->Current(), w.home.get());
  EXPECT_EQ(w.home->reloads, 1);
  EXPECT_EQ(w.container->FormTitle(), "Test home");
  ASSERT_EQ(w.container->Bar().Buttons().size(), 1u);
  EXPECT_EQ(w.container->Bar().Buttons()[0].key, "Pinghome");

  w.SelectActiveMonth();
  EXPECT_TRUE(w.host->Go("KW_UI01____FRM_H_Work"));
  EXPECT_EQ(w.log, (std::vector<std::string>{"home leaves"}));
  ASSERT_EQ(w.container->Bar().Buttons().size(), 1u);
  EXPECT_EQ(w.container->Bar().Buttons()[0].key, "Pingwork");
  EXPECT_EQ(w.container->CurrentFormKey(), "KW_UI01____FRM_H_Work");
  EXPECT_TRUE(w.container->ClickCommandButton("Pingwork"));
  EXPECT_EQ(w.work->pings, 1);
}

// Going to the screen already shown neither leaves nor reloads it.
TEST(ScreenHostTest, GoingToTheCurrentScreenKeepsIt) {
  HostWorld w;
  w.host->Go("home");
  EXPECT_TRUE(w.host->Go("home"));
  EXPECT_EQ(w.home->reloads, 1);
  EXPECT_TRUE(w.log.empty());
  EXPECT_EQ(w.container->NavigationHistory().size(), 1u);
}

// A screen that refuses to be left keeps the user, its buttons and the container's form key.
TEST(ScreenHostTest, RefusedDeactivationStays) {
  HostWorld w;
  w.host->Go("home");
  w.home->refuse_leaving = true;
  w.container->CurrentH_HomesID("1");
  EXPECT_FALSE(w.host->Go("work"));
  EXPECT_EQ(w.host->Current(), w.home.get());
  EXPECT_EQ(w.container->CurrentFormKey(), kHomeScreenKey);
  EXPECT_EQ(w.container->Bar().Buttons()[0].key, "Pinghome");
  EXPECT_NE(w.out.str().find("stayed on Test home"), std::string::npos);
}

// Without a home the library refuses the activation and names Our Home: the host goes there.
TEST(ScreenHostTest, MissingHomeRedirectsToOurHome) {
  HostWorld w;
  EXPECT_FALSE(w.host->Go("work"));
  EXPECT_EQ(w.host->Current(), w.home.get());
  ASSERT_EQ(w.desk->shown.size(), 1u);
  EXPECT_EQ(w.desk->shown[0].rule_number, 2183);
  EXPECT_NE(w.out.str().find("redirected to KW_UI01____FRM_H_OurHome"), std::string::npos);
  EXPECT_EQ(w.container->NavigationHistory(),
            (std::vector<std::string>{"KW_UI01____FRM_H_Work", "KW_UI01____FRM_H_OurHome"}));
}

// Unknown screens, and commands a screen does not support, are clear errors.
TEST(ScreenHostTest, UnsupportedCommandsAreClearErrors) {
  HostWorld w;
  EXPECT_THROW(w.host->RequireCurrent(), ScreenCommandError);
  try {
    w.host->Go("nowhere");
    FAIL() << "no error";
  } catch (const ScreenCommandError& e) {
    EXPECT_STREQ(e.what(), "no screen \"nowhere\"; the screens are: home, work");
  }
  struct Case {
    const char* name;
    std::function<void(ScreenForm&)> command;
    const char* message;
  };
  const Case cases[] = {
      {"select", [](ScreenForm& s) { s.Select(1); }, "this screen has no list"},
      {"set", [](ScreenForm& s) { s.SetField("Fee", "1"); }, "this screen has no field \"Fee\""},
      {"save", [](ScreenForm& s) { s.SaveScreen(); }, "this screen has nothing to save"},
      {"add", [](ScreenForm& s) { s.AddRecord(); }, "this screen has no list to add to"},
      {"remove", [](ScreenForm& s) { s.RemoveRecord(); }, "this screen has no list to remove from"},
      {"type", [](ScreenForm& s) { s.TypeText("x"); }, "this screen has no combo box"},
  };
  for (const Case& c : cases) {
    try {
      c.command(*w.home);
      ADD_FAILURE() << c.name << ": no error";
    } catch (const ScreenCommandError& e) {
      EXPECT_STREQ(e.what(), c.message) << c.name;
    }
  }
}

// Send-off checks every screen quietly; one that fails becomes current and is checked again
// aloud, and the run stops there while it still fails and goes on once it passes; the
// container's send-off flags are off again afterwards.
TEST(ScreenHostTest, SendOffStopsOnAFailingScreenAndGoesOnOnceItPasses) {
  HostWorld w;
  w.SelectActiveMonth();
  w.host->Go("work");
  w.home->fails_sendoff = true;
  w.work->fails_sendoff = true;
  EXPECT_FALSE(w.host->SendOff());
  EXPECT_EQ(w.host->Current(), w.home.get());
  EXPECT_EQ(w.log, (std::vector<std::string>{"home checked quietly", "work leaves", "home checked aloud"}));
  EXPECT_FALSE(w.container->SendOffValidationMode());
  EXPECT_FALSE(w.container->SendOffInteractive());
  EXPECT_NE(w.out.str().find("send-off stopped on Test home\nsend-off refused"), std::string::npos);

  w.log.clear();
  w.home->answers_aloud = true;
  w.work->answers_aloud = true;
  EXPECT_TRUE(w.host->SendOff());
  EXPECT_EQ(w.log, (std::vector<std::string>{"home checked quietly", "home checked aloud", "work checked quietly",
                                             "home leaves", "work checked aloud"}));
  EXPECT_EQ(w.host->Current(), w.work.get());
  EXPECT_NE(w.out.str().find("send-off passed"), std::string::npos);
}

// Once the host goes, its screens and their SharedProcedures no longer hold each other.
TEST(ScreenHostTest, ScreensAreReleasedWithTheHost) {
  std::weak_ptr<TestScreen> screen;
  std::weak_ptr<kw::SharedProcedures> shared;
  {
    HostWorld w;
    w.host->Go("home");
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
