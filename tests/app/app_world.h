// AppWorld: the application as a front end starts it, on a private sample database, for one test.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/business/business_object.h"
#include "app/screens/screen_host.h"
#include "app/siblings/app_services.h"
#include "tests/doubles/recording_siblings.h"
#include "ui_shared/platform/clock.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/platform/windows.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace trf::testing {

// What the screens and their host told the front end, one line per event, screens by short name.
struct RecordedEvents : ScreenEvents {
  void Notice(const ScreenForm&, const std::string& text) override { lines.push_back(text); }
  void Stayed(const ScreenForm& screen) override { lines.push_back("stayed on " + screen.Name()); }
  // No test of the application's world is redirected or refused a screen.
  void Redirected(const std::string&, const ScreenForm*) override {}
  void CouldNotOpen(const ScreenForm&) override {}
  void SendOffStopped(const ScreenForm& screen) override { lines.push_back("send-off stopped on " + screen.Name()); }
  void SendOffResult(bool passed) override { lines.emplace_back(passed ? "send-off passed" : "send-off refused"); }
  void Busy(bool busy) override { lines.emplace_back(busy ? "busy" : "not busy"); }
  void RowsChanged(const ScreenForm&, int, int count) override { rows_changed += count; }
  bool Saw(const std::string& text) const;

  std::vector<std::string> lines;
  // How many rows were announced changed, over every announcement.
  int rows_changed = 0;
};

class AppWorld {
 public:
  enum class Screens { kAll, kNone };
  explicit AppWorld(Screens screens = Screens::kAll);
  ~AppWorld();
  AppWorld(const AppWorld&) = delete;
  AppWorld& operator=(const AppWorld&) = delete;

  // Makes home 1 (Maple House) and its active March (month record 3, type STD) the context.
  void UseMapleHouseMarch() const;
  // The first column of the first row `sql` returns (0 when none).
  int32_t Count(const std::string& sql) const;
  template <class T = ScreenForm>
  T& Screen(const std::string& name) const {
    return dynamic_cast<T&>(*host.Find(name));
  }
  ScreenContainer& Container() const { return *services.container(); }

  // 15 March 2004.
  kw::ScopedService<kw::Clock> clock;
  kw::ScopedService<kw::WindowTable> windows{std::make_shared<kw::WindowTable>()};
  AppServices services;
  RecordedEvents events;
  ScreenHost host{services.container(), events};
  std::shared_ptr<kw::testing::CallLog> log = std::make_shared<kw::testing::CallLog>();
  std::shared_ptr<kw::testing::RecordingForm> form = std::make_shared<kw::testing::RecordingForm>(log);
  // Made by its identifier through the registry, bound to `form`.
  kw::SharedProceduresPtr shared;
};

// A test of the business objects and validators: the world without screens, and its database.
class ServicesTest : public ::testing::Test {
 protected:
  AppWorld world{AppWorld::Screens::kNone};
  std::shared_ptr<Database> database = world.services.database();
};

// The rules in one line, hard ones first, joined by " | ": "hard 3111 f4 l2: <feedback>",
// "soft 3121 f5 l1 question broken on =7800: <feedback>" (a notice, settled or off says so); "" when none.
std::string RulesText(kw::I_HardRules& hard, kw::I_SoftRules& soft);
// A business object's state: "count=7 current=7 key=17 new dirty pending=1" (key to dirty only on a record).
std::string StateText(TableBusinessObject& li);

// The refusal `step` ended in; a test failure (and an empty refusal) when it ended without one.
ScreenRefusal RefusalOf(const std::function<void()>& step);

inline kw::Variant Text(const char* text) { return kw::Variant::Text(text); }
inline kw::Variant Long(int32_t value) { return kw::Variant::Long(value); }

}  // namespace trf::testing
