// The one application world of the application's tests.
#include "tests/app/app_world.h"

#include <algorithm>

#include "tests/app/test_database.h"
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/dates.h"

namespace trf::testing {

bool RecordedEvents::Saw(const std::string& text) const {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

AppWorld::AppWorld(Screens screens, const std::string& db_path)
    : clock(std::make_shared<kw::ManualClock>(kw::dates::Serial(2004, 3, 15))),
      services(TestDatabaseLocation(db_path)) {
  if (screens == Screens::kAll) RegisterScreens(host, services.database());
  shared = kw::CreateObjectAs<kw::SharedProcedures>(kw::class_ids::kSharedProcedures);
  shared->OwnerForm(form);
}

AppWorld::~AppWorld() { shared->OwnerForm(nullptr); }

void AppWorld::UseMapleHouseMarch() {
  ScreenContainer& container = *services.container();
  container.CurrentH_HomesID("1");
  container.CurrentHomeNum("H-101");
  container.CurrentH_HomeMonthlyStatsID("3");
  container.CurrentHU_TrfTypesCD("STD");
  container.CurrentStatStatus(1);
}

int32_t AppWorld::Count(const std::string& sql) const {
  auto query = services.database()->Prepare(sql);
  return query->Step() ? query->Column(0).ToLong() : 0;
}

}  // namespace trf::testing
