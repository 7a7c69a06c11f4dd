// How do I tie a text box to a field, so that leaving it checks the field?
#include "volunteers.h"

int main() {
  return kw::RunProgram([] {
    kw::DefaultSiblings siblings = kw::RegisterDefaultSiblings();
    auto screen = ShowVolunteers();  // its OnLoad ties the boxes: BindField(name, position of "Name")
    screen->name->SetFocus();
    screen->name->Type("");
    const bool kept = screen->LeaveField(screen->name);  // the person leaves the box: refused
    std::cout << "kept: " << kept << ", focus stays: " << screen->name->HasFocus() << "\n";
    screen->name->Type("Ada Park-Lee");
    std::cout << "kept: " << screen->LeaveField(screen->name) << "\n";
    return 0;
  });
}
