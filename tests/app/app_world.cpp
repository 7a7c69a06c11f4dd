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

ScreenRefusal RefusalOf(const std::function<void()>& step) {
  try {
    step();
  } catch (const ScreenRefusal& refusal) {
    return refusal;
  }
  ADD_FAILURE() << "nothing was refused";
  return ScreenRefusal("");
}

AppWorld::AppWorld(Screens screens)
    : clock(std::make_shared<kw::ManualClock>(kw::dates::Serial(2004, 3, 15))),
      services(TestDatabaseLocation(":memory:")) {
  if (screens == Screens::kAll) RegisterScreens(host, services.database());
  shared = kw::CreateObjectAs<kw::SharedProcedures>(kw::class_ids::kSharedProcedures);
  shared->OwnerForm(form);
}

AppWorld::~AppWorld() { shared->OwnerForm(nullptr); }

void AppWorld::UseMapleHouseMarch() const {
  ScreenContainer& container = *services.container();
  container.CurrentH_HomesID("1");
  container.CurrentHomeNum("H-101");
  container.CurrentH_HomeMonthlyStatsID("3");
  container.CurrentHU_TrfTypesCD("STD");
  container.CurrentStatStatus(1);
}

std::string RulesText(kw::I_HardRules& hard, kw::I_SoftRules& soft) {
  std::string out;
  const auto add = [&out](const auto& rule, const std::string& kind) {
    out += (out.empty() ? "" : " | ") + kind + " " + std::to_string(rule->RuleNumber()) + " f" +
           std::to_string(rule->FieldEnum()) + " l" + std::to_string(rule->RuleLevel());
  };
  for (const auto& rule : hard.Rules()) {
    add(rule, "hard");
    out += ": " + rule->Feedback();
  }
  for (const auto& rule : soft.Rules()) {
    add(rule, "soft");
    out += std::string(rule->IsQuestion() ? " question" : " notice") + (rule->Broken() ? " broken" : " settled") +
           (rule->Enabled() ? " on" : " off") + " =" + rule->Value().ToText() + ": " + rule->Feedback();
  }
  return out;
}

std::string StateText(TableBusinessObject& li) {
  const int32_t current = li.CurrentIndex().ToLong();
  std::string out = "count=" + std::to_string(li.Count()) + " current=" + std::to_string(current);
  if (current > 0) {
    out += " key=" + li.FieldValueAt(kw::Variant::Long(-1), 1).ToText() + (li.IsNew() ? " new" : "");
    out += li.IsDirty() ? " dirty" : "";
  }
  return out + " pending=" + std::to_string(li.PendingChanges());
}

int32_t AppWorld::Count(const std::string& sql) const {
  auto query = services.database()->Prepare(sql);
  return query->Step() ? query->Column(0).ToLong() : 0;
}

}  // namespace trf::testing
