// The tour's script.
#include "app/demo_tour.h"

namespace trf {

const char* DemoTourScript() {
  return R"(say == Step 1: the program starts on Our Home; no home is selected yet.
go home
expect No home selected
)";
}

}  // namespace trf
