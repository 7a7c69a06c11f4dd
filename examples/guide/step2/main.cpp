// A first screen: the volunteers of a home in a list, on the library's defaults.
#include <iostream>

#include "ui_shared/ui_shared.h"
#include "widgets/list_text.h"
#include "widgets/list_view.h"

// The volunteers, kept in memory: each has a name and the hours a week they give.
class Volunteers : public kw::MemoryBusinessObject {
 public:
  Volunteers() : MemoryBusinessObject("LIVolunteers", {{"Name"}, {"Hours", kw::FieldKind::kWholeNumber}}) {
    AddStored({"Ada Park", "12"});
    AddStored({"Ben Okafor", "30"});
    AddStored({"Chen Wei", "8"});
  }
};

// The screen: the volunteers in a list, a column for each field.
class VolunteersScreen : public kw::FormBase {
 public:
  explicit VolunteersScreen(std::shared_ptr<Volunteers> records)
      : FormBase("Volunteers", records), volunteers(std::move(records)) {}
  std::shared_ptr<Volunteers> volunteers;
  std::shared_ptr<kw::widgets::ListView> list = std::make_shared<kw::widgets::ListView>();

 protected:
  void OnLoad() override {
    BindList(list);
    AddColumn("Name", "Name");
    AddColumn("Hours", "Hours a week");
  }
};

// Shows the screen's list as a person would see it.
void Show(VolunteersScreen& screen) { std::cout << kw::widgets::ListText(*screen.list) << "\n"; }

int main() {
  return kw::RunProgram([] {
    kw::DefaultSiblings siblings = kw::RegisterDefaultSiblings();
    auto screen = kw::LoadForm<VolunteersScreen>(std::make_shared<Volunteers>());
    kw::ActiveParams params;
    screen->Activate(params);
    siblings.desk->answers = {"0"};  // yes to the next question, as a person would answer
    screen->ClickRow(2);
    screen->RemoveRecord();
    screen->AddRecord();
    Show(*screen);
    return 0;
  });
}
