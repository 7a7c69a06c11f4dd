// How do I catch the library's error and print its number and trail?
#include "volunteers.h"

int main() {
  return kw::RunProgram([] {  // an error that leaves the body is printed on standard error
    kw::DefaultSiblings siblings = kw::RegisterDefaultSiblings();
    auto screen = ShowVolunteers();
    try {
      (void)screen->Shared().ValidateField(nullptr, 2);  // no business object to validate
    } catch (const kw::Error& error) {
      std::cout << "number " << error.Number() << ", source " << error.Source() << "\n";
      std::cout << kw::ErrorReport(error);
    }
    return 0;
  });
}
