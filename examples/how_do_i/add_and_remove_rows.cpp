// How do I add and remove rows, and what does an added row hold?
#include "volunteers.h"

int main() {
  return kw::RunProgram([] {
    kw::DefaultSiblings siblings = kw::RegisterDefaultSiblings();
    auto screen = ShowVolunteers();
    screen->AddRecord("(new volunteer)");
    const auto row = std::static_pointer_cast<kw::widgets::ListItem>(screen->SelectedRow());
    std::cout << "key " << row->Key() << ", text " << row->Text() << ", further columns " << row->SubItems().Count()
              << "\n";
    screen->Type(screen->name, "Dee Ray");
    screen->Save();  // the list is built again from what is stored
    Show(*screen);
    siblings.desk->answers = {"0"};  // yes to "Are you sure you want to delete this entry?"
    screen->ClickRow(1);
    screen->RemoveRecord();
    Show(*screen);
    return 0;
  });
}
