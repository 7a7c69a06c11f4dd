// How do I answer the library's questions in a script?
#include "volunteers.h"

int main() {
  return kw::RunProgram([] {
    kw::DefaultSiblings siblings = kw::RegisterDefaultSiblings();
    auto screen = ShowVolunteers();
    siblings.desk->answers = {"0", "1"};  // "0" yes, anything else no, in the order asked
    screen->Type(screen->hours, "45");    // asked: yes
    screen->Type(screen->hours, "50");    // asked again for another value: no
    for (const kw::FeedbackShowing& shown : siblings.desk->shown)
      std::cout << shown.rule_number << " " << shown.message << "\n";
    return 0;
  });
}
