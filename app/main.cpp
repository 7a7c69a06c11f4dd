// trf: the program that runs the screens of the TRF on the shared user-interface library.
#include <iostream>
#include <string>

#include "app/siblings.h"
#include "ui_shared/registration.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

int main(int argc, char** argv) {
  kw::RegisterLibraryClasses();
  trf::RegisterApplicationClasses();
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << "usage: trf [--db PATH] [--script FILE | --demo]\n";
      return 0;
    }
  }
  try {
    auto shared = std::make_shared<kw::SharedProcedures>();
    std::cout << "trf: shared procedures ready; current home: \"" << shared->CurrentH_HomesID() << "\"\n";
    std::cout << "trf: the screens are not built yet.\n";
  } catch (const kw::Error& e) {
    std::cerr << "trf: error " << e.Number() << ": " << e.Description() << "\n";
    return 1;
  }
  return 0;
}
