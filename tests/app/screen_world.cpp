// The integration-test world of the program's screens.
#include "tests/app/screen_world.h"

#include "app/business/business_registration.h"
#include "app/terminal/screen_commands.h"
#include "app/data/trf_database.h"
#include "ui_shared/registration.h"

namespace trf::testing {

ScreenWorld::ScreenWorld()
    : database(OpenTrfDatabase(":memory:")), app_database(std::make_shared<AppDatabase>(AppDatabase{database})) {
  kw::RegisterLibraryClasses();
  RegisterApplicationClasses();
  LoadClassDependsOn(*container, *database);
  desk->presenter = [this](const FeedbackShowing& showing) {
    static const char* const kinds[] = {"question", "error", "notice"};
    const bool known = showing.rule_type >= 0 && showing.rule_type <= 2;
    transcript.Line(std::string("dialog ") + (known ? kinds[showing.rule_type] : "?") + " " +
                    std::to_string(showing.rule_number) + ": " + showing.message);
    if (desk->answers.empty()) return std::string(FeedbackDesk::kUnscriptedAnswer);
    std::string answer = desk->answers.front();
    desk->answers.pop_front();
    return answer;
  };
  host = std::make_unique<ScreenHost>(screen_container, transcript);
  RegisterScreens(*host);
  AddScreenCommands(interpreter, *host, *desk, transcript);
}

void ScreenWorld::UseMapleHouseMarch() {
  container->CurrentH_HomesID("1");
  container->CurrentHomeNum("H-101");
  container->CurrentH_HomeMonthlyStatsID("3");
  container->CurrentHU_TrfTypesCD("STD");
  container->CurrentStatStatus(1);
}

CommandInterpreter::Outcome ScreenWorld::Run(const std::string& line) {
  transcript.Mark();
  return interpreter.Execute(line);
}

int32_t ScreenWorld::Count(const std::string& sql) {
  auto query = database->Prepare(sql);
  return query->Step() ? query->Column(0).ToLong() : 0;
}

}  // namespace trf::testing
