// A program's main, guarded.
#include "ui_shared/defaults/run_program.h"

#include <cstdio>
#include <exception>
#include <iostream>

#include "ui_shared/platform/error.h"

namespace kw {

int RunProgram(const std::function<int()>& body) {
  try {
    return body();
  } catch (const Error& error) {
    std::cout.flush();
    std::fflush(stdout);
    std::cerr << ErrorReport(error);
  } catch (const std::exception& error) {
    std::cout.flush();
    std::fflush(stdout);
    std::cerr << "error: " << error.what() << "\n";
  }
  return 1;
}

}  // namespace kw
