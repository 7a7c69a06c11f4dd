// A first screen: the volunteers of a home in a list, on the library's defaults.
#include <iostream>

#include "ui_shared/ui_shared.h"
#include "widgets/list_text.h"
#include "widgets/list_view.h"
#include "widgets/text_box.h"

// What a volunteer must be: named, asked about beyond 40 hours a week, and kept on the list while
// giving more than 20.
std::vector<kw::RuleSpec> VolunteerRules() {
  return {
      {.number = 9001,
       .field = "Name",
       .message = "A volunteer needs a name.",
       .broken = [](const kw::RecordValues& r) { return r.Blank("Name"); }},
      {.number = 9002,
       .kind = kw::RuleKind::kQuestion,
       .field = "Hours",
       .message = "More than 40 hours a week: is that right?",
       .broken = [](const kw::RecordValues& r) { return r["Hours"].ToLong() > 40; }},
      {.number = 9003,
       .kind = kw::RuleKind::kRemoval,
       .message = "A volunteer who gives more than 20 hours a week stays on the list.",
       .broken = [](const kw::RecordValues& r) { return r["Hours"].ToLong() > 20; }},
  };
}

// The volunteers, kept in memory: each has a name and the hours a week they give.
class Volunteers : public kw::MemoryBusinessObject {
 public:
  Volunteers()
      : MemoryBusinessObject("LIVolunteers", {{"Name"}, {"Hours", kw::FieldKind::kWholeNumber}}, VolunteerRules()) {
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
  std::shared_ptr<kw::widgets::TextBox> name = kw::widgets::TextBox::Make();
  std::shared_ptr<kw::widgets::TextBox> hours = kw::widgets::TextBox::Make();

 protected:
  void OnLoad() override {
    BindList(list);
    AddColumn("Name", "Name");
    AddColumn("Hours", "Hours a week");
    BindField(name, volunteers->PositionOf("Name"));
    BindField(hours, volunteers->PositionOf("Hours"));
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
    screen->Type(screen->name, "Ada P.");
    screen->UndoChanges();  // the stored name comes back
    screen->AddRecord();
    screen->UndoChanges();  // the new record goes, with its row
    Show(*screen);
    std::cout << "name: " << screen->name->Text() << "\n";
    return 0;
  });
}
