// The first screen at work, as a script: the volunteers list is shown, a volunteer's name is
// emptied and refused, 50 hours a week are asked about and accepted, the volunteer is saved and
// the screen left. Exits 0 when all of that happened as it should.
#include <cstdio>
#include <memory>
#include <string>

#include "siblings.h"
#include "volunteers.h"
#include "volunteers_screen.h"

namespace {

// Prints the list as a person would see it, the selected row marked.
void PrintList(kw::widgets::ListView& list) {
  const kw::widgets::EntryList& rows = list.Entries();
  for (int32_t row = 1; row <= rows.Count(); ++row) {
    const auto item = std::static_pointer_cast<kw::widgets::ListItem>(rows.At(row));
    std::printf("  %s %-20s %s\n", item->Selected() ? ">" : " ", item->Text().c_str(),
                std::string(item->SubItems().Text(1)).c_str());
  }
}

// Prints what happened and whether it is what the script expects.
bool Expect(bool happened, const char* what) {
  std::printf("%s %s\n", happened ? "ok:" : "NOT AS EXPECTED:", what);
  return happened;
}

}  // namespace

int main() {
  auto container = std::make_shared<first_screen::Container>();
  auto dialog = std::make_shared<first_screen::ScriptedFeedback>();
  first_screen::RegisterSiblings(container, dialog);

  auto volunteers = std::make_shared<first_screen::Volunteers>();
  volunteers->Load(container->home_id, "Ada Park", 12);
  volunteers->Load(container->home_id, "Ben Okafor", 30);
  volunteers->Load(container->home_id, "Chen Wei", 8);

  auto screen = std::make_shared<first_screen::VolunteersScreen>(volunteers);
  screen->Load();
  bool good = true;

  kw::ActiveParams params;
  good &=
      Expect(screen->Activate(params) && screen->List().Entries().Count() == 3, "the screen shows three volunteers");
  PrintList(screen->List());

  good &= Expect(screen->ClickRow(2), "a click selects Ben Okafor");
  good &= Expect(!screen->Type(first_screen::kName, ""), "an empty name is refused");
  good &= Expect(dialog->shown.size() == 1 && dialog->shown[0].rule_number == first_screen::kNameRequired,
                 "the dialog said why");
  good &= Expect(screen->Type(first_screen::kName, "Ben Okafor-Reyes"), "a new name is accepted");

  dialog->answers.push_back("0");  // the user answers the question with yes
  good &= Expect(screen->Type(first_screen::kHours, "50"), "50 hours a week are accepted after the question");
  good &= Expect(dialog->shown.size() == 2 && dialog->shown[1].rule_type == kw::kRuleQuestion, "the dialog asked");

  good &= Expect(screen->Save() && !volunteers->IsDirty() && dialog->shown.size() == 2,
                 "the volunteer is saved, without asking again");
  PrintList(screen->List());
  good &= Expect(screen->Deactivate(), "the screen can be left");
  good &= Expect(container->form_title == "Volunteers", "the container shows the screen's title");

  screen->Unload();
  return good ? 0 : 1;
}
