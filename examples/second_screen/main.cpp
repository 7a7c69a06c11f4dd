// A second screen: the rooms of a home, with add, remove and the beds of a room checked.
#include <iostream>

#include "ui_shared/ui_shared.h"
#include "widgets/list_text.h"
#include "widgets/list_view.h"
#include "widgets/text_box.h"

// The rules of a room: it has a name, and one to four beds (none is refused too: a blank field read
// as a number counts as not broken, so the test asks for Blank first).
std::vector<kw::RuleSpec> RoomRules() {
  return {
      {.number = 9101,
       .field = "Room",
       .message = "A room needs a name.",
       .broken = [](const kw::RecordValues& r) { return r.Blank("Room"); }},
      {.number = 9102,
       .field = "Beds",
       .message = "A room has one to four beds.",
       .broken =
           [](const kw::RecordValues& r) {
             return r.Blank("Beds") || r["Beds"].ToLong() < 1 || r["Beds"].ToLong() > 4;
           }},
  };
}

// The rooms of the home, kept in memory.
class Rooms : public kw::MemoryBusinessObject {
 public:
  Rooms() : MemoryBusinessObject("LIRooms", {{"Room"}, {"Beds", kw::FieldKind::kWholeNumber}}, RoomRules()) {
    AddStored({"Garden 1", "2"});
    AddStored({"Garden 2", "1"});
  }
};

// The screen: the rooms in a list, and a box for each field.
class RoomsScreen : public kw::FormBase {
 public:
  explicit RoomsScreen(std::shared_ptr<Rooms> records) : FormBase("Rooms", records), rooms(std::move(records)) {}
  std::shared_ptr<Rooms> rooms;
  std::shared_ptr<kw::widgets::ListView> list = std::make_shared<kw::widgets::ListView>();
  std::shared_ptr<kw::widgets::TextBox> room = kw::widgets::TextBox::Make();
  std::shared_ptr<kw::widgets::TextBox> beds = kw::widgets::TextBox::Make();

 protected:
  void OnLoad() override {
    BindList(list);
    AddColumn("Room", "Room");
    AddColumn("Beds", "Beds");
    BindField(room, rooms->PositionOf("Room"));
    BindField(beds, rooms->PositionOf("Beds"));
  }
};

// Prints the list as a person would see it.
void Show(RoomsScreen& screen) { std::cout << kw::widgets::ListText(*screen.list) << "\n"; }

int main() {
  return kw::RunProgram([] {
    kw::DefaultSiblings siblings = kw::RegisterDefaultSiblings();
    auto screen = kw::LoadForm<RoomsScreen>(std::make_shared<Rooms>());
    kw::ActiveParams params;
    screen->Activate(params);
    Show(*screen);
    screen->AddRecord();
    const bool blank_refused = !screen->Save();  // no name, no beds
    screen->Type(screen->room, "Orchard 1");
    const bool refused = !screen->Type(screen->beds, "6");  // refused: one to four
    screen->Type(screen->beds, "3");
    const bool saved = screen->Save();
    siblings.desk->answers = {"0"};
    screen->ClickRow(2);
    const bool removed = screen->RemoveRecord();
    Show(*screen);
    return blank_refused && refused && saved && removed ? 0 : 1;
  });
}
